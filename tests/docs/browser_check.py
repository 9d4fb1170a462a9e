"""The help page and the skin guide in a real browser (headless Chromium):
every link and picture resolves, and no text runs past an 800-pixel-wide
window. Keeps a screenshot of the help page beside the results.

Usage: browser_check.py OUTPUT_FOLDER
"""
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

import markdown

SOURCE = pathlib.Path(__file__).resolve().parents[2]
WIDTH = 800
BROWSER = shutil.which("chromium") or shutil.which("chromium-browser")

# Runs inside the page under test once it has loaded; its answer lands in the
# DOM that the browser prints.
CHECK = """
<script>
addEventListener('load', () => {
  const problems = [];
  for (const img of document.images) {
    if (!img.complete || img.naturalWidth === 0) problems.push('picture ' + img.getAttribute('src'));
  }
  for (const a of document.querySelectorAll('a[href]')) {
    const href = a.getAttribute('href');
    const url = new URL(href, document.baseURI);
    if (url.protocol !== 'file:') continue;  // no network here
    const here = url.href.split('#')[0] === document.baseURI.split('#')[0];
    if (!here) {
      const request = new XMLHttpRequest();
      try {
        request.open('GET', url.href, false);
        request.send();
        if (request.responseText.length === 0 && !url.pathname.endsWith('/')) problems.push('empty link ' + href);
      } catch (e) {
        problems.push('link ' + href);
      }
    }
    if (here && url.hash.length > 1) {
      const id = decodeURIComponent(url.hash.slice(1));
      if (!document.getElementById(id) && document.getElementsByName(id).length === 0)
        problems.push('anchor ' + href);
    }
  }
  // Text and boxes past the window's right edge, unless inside a box that
  // scrolls them (a wide code block may).
  const width = document.documentElement.clientWidth;
  const scrolled = (node) => {
    for (let p = node.parentElement; p && p !== document.body; p = p.parentElement) {
      if (getComputedStyle(p).overflowX !== 'visible') return true;
    }
    return false;
  };
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    if (!node.textContent.trim() || scrolled(node)) continue;
    const range = document.createRange();
    range.selectNodeContents(node);
    if (range.getBoundingClientRect().right > width + 0.5)
      problems.push('text past ' + width + ' px: ' + node.textContent.trim().slice(0, 40));
  }
  for (const el of document.body.querySelectorAll('img, table, pre, video')) {
    if (!scrolled(el) && el.getBoundingClientRect().right > width + 0.5)
      problems.push('<' + el.tagName.toLowerCase() + '> past ' + width + ' px');
  }
  const out = document.createElement('pre');
  out.id = 'browser-check';
  out.textContent = JSON.stringify({problems: problems, links: document.links.length,
                                    pictures: document.images.length});
  document.body.appendChild(out);
});
</script>
"""


def chromium(profile, *arguments):
    command = [BROWSER, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
               "--no-first-run", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--user-data-dir=" + profile, "--allow-file-access-from-files",
               "--hide-scrollbars", "--window-size=%d,1200" % WIDTH] + list(arguments)
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          timeout=120, text=True).stdout


def page_with_check(html, original, name, out):
    """The page with the check appended, written into `out`; its <base> is the
    original file, so links resolve as they do there."""
    base = '<base href="%s">' % original.as_uri()
    html = html.replace("<head>", "<head>" + base, 1) if "<head>" in html else base + html
    html = html.replace("</body>", CHECK + "</body>") if "</body>" in html else html + CHECK
    path = out / name
    path.write_text(html, encoding="utf-8")
    return path


def results(profile, page):
    dom = chromium(profile, "--virtual-time-budget=10000", "--dump-dom", page.as_uri())
    start = dom.find('<pre id="browser-check">')
    if start < 0:
        return {"problems": ["the page's check never ran"]}
    text = dom[start + len('<pre id="browser-check">'):dom.index("</pre>", start)]
    return json.loads(text.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&")
                      .replace("&quot;", '"'))


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else SOURCE / "build" / "docs-check")
    out.mkdir(parents=True, exist_ok=True)
    if BROWSER is None:
        print("no chromium: run scripts/install-deps.sh")
        return 1
    help_page = SOURCE / "docs" / "help" / "Horalune-help.html"
    guide = SOURCE / "docs" / "skin-guide.md"
    guide_html = ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Skin guide</title>"
                  "</head><body>%s</body></html>"
                  % markdown.markdown(guide.read_text(encoding="utf-8"),
                                      extensions=["tables", "fenced_code", "toc"]))
    (out / "skin-guide.html").write_text(guide_html, encoding="utf-8")
    pages = [(help_page.read_text(encoding="utf-8"), help_page, "help-checked.html"),
             (guide_html, guide, "skin-guide-checked.html")]
    failed = False
    with tempfile.TemporaryDirectory(prefix="horalune-chromium-") as profile:
        for html, original, name in pages:
            found = results(profile, page_with_check(html, original, name, out))
            print("%s: %s" % (name, json.dumps(found, ensure_ascii=False)))
            failed |= bool(found["problems"])
        shot = out / "help.png"
        chromium(profile, "--screenshot=" + str(shot), help_page.as_uri())
        if not shot.exists():
            print("no screenshot of the help page")
            failed = True
    print("failed" if failed else "passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
