// Texts the start-up and skin selection show. Code page 932 at run time.
#pragma once

constexpr char kSettingsLabel[] = "設定用ファイル";

constexpr char kConfigMissingText[] =
    "%s[%s]がありません.\n標準設定で開始します.\n\n終了時にルートフォルダに作成します.";
constexpr char kConfigNoAccessText[] = "%s[%s]にアクセスできません.\n";
constexpr char kExeDatMissingText[] =
    "%s[%s]より\n[%s]\n%s = …\nで指定したファイル\n%s\nがありません.\n他のファイルを選択をして下さい.";
constexpr char kExeDatNoAccessText[] = "%s[%s]にアクセスできません\nアプリケーションを終了します";
constexpr char kExeDatNotSkinText[] =
    "%s[%s]より\n[%s]\n%s = …\nで指定したファイル\n%s\nは時計用データではありません.\n"
    "もしくは使用できないファイルです.\n\n他のファイルを選択をして下さい.";
constexpr char kChosenNotSkinText[] =
    "使用できないファイル,\nもしくは無効なファイルです.\n\n他のファイルを選択しますか？";
// Paths are kept in code page 932: a name it cannot hold could not be opened again.
constexpr char kGivingUpText[] = "ほらるねを終了します";
constexpr char kBadArgumentText[] = "引数が異常、もしくは使用できないファイルです";
constexpr char kBadDataText[] = "データに異常があります";
constexpr char kUnrecognisedText[] = "認識できないファイルです";
constexpr char kOneFileText[] = "一度に１つのファイルのみ受け取ります";
constexpr char kWakeNotSavedText[] = "「Wake the PC for alarms」の設定を保存できませんでした.";
constexpr char kChooseTitle[] = "ファイルを選んで下さい";
