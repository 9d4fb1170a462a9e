// The clock window's procedure lives here.
