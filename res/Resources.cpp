#include "res/Resources.h"

#include "res/CommandIds.h"

#include <map>

using namespace CommandIds;

namespace {

const MenuItem kSeparator{"", 0, {}};

MenuItem RecentFiles() {
    return {"最近使ったファイル", kFileMru1, {}};
}

MenuItem WindowPositionMenu() {
    return {"ウィンドウ位置(&W)",
            0,
            {{"保存(&S)", kWindowPositionSave, {}}, {"初期設定(&D)", kWindowPositionDefault, {}}}};
}

MenuItem WindowMenu() {
    return {"ウィンドウ(&W)",
            0,
            {{"新しいウィンドウを開く(&N)", kWindowNew, {}},
             {"重ねて表示(&C)", kWindowCascade, {}},
             {"並べて表示(&T)", kWindowTile, {}},
             {"アイコンの整列(&A)", kWindowArrange, {}},
             kSeparator,
             {"ウィンドウを閉じる(&L)\tCtrl+W", kCloseWindow, {}}}};
}

MenuItem HelpMenu() {
    return {"ヘルプ(&H)",
            0,
            {{"トピックの検索(&H)", kHelpIndex, {}},
             kSeparator,
             {"バージョン情報(&A)...", kAppAbout, {}}}};
}

// The file menu of document windows: new, open, close, then the window's
// own saving commands, printing, the recent files and exit.
MenuItem DocumentFileMenu(std::vector<MenuItem> saving) {
    std::vector<MenuItem> items{{"新規作成(&N)\tCtrl+N", kFileNew, {}},
                                {"開く(&O)...\tCtrl+O", kFileOpen, {}},
                                {"閉じる(&C)", kFileClose, {}}};
    items.insert(items.end(), saving.begin(), saving.end());
    items.insert(items.end(), {kSeparator,
                               {"印刷(&P)...\tCtrl+P", kFilePrint, {}},
                               {"印刷プレビュー(&V)", kFilePrintPreview, {}},
                               {"プリンタの設定(&R)...", kFilePrintSetup, {}},
                               kSeparator,
                               RecentFiles(),
                               kSeparator,
                               {"終了(&X)", kAppExit, {}}});
    return {"ファイル(&F)", 0, std::move(items)};
}

// The two save commands, and for the molecule window the picture command.
std::vector<MenuItem> SaveCommands(bool withPicture) {
    std::vector<MenuItem> items{{"上書き保存(&S)\tCtrl+S", kFileSave, {}},
                                {"名前を付けて保存(&A)...", kFileSaveAs, {}}};
    if (withPicture)
        items.push_back({"画像保存(&I)", kSavePicture, {}});
    return items;
}

MenuItem EditMenu(bool withSettings) {
    std::vector<MenuItem> items{{"元に戻す(&U)\tCtrl+Z", kEditUndo, {}},
                                kSeparator,
                                {"切り取り(&T)\tCtrl+X", kEditCut, {}},
                                {"コピー(&C)\tCtrl+C", kEditCopy, {}},
                                {"貼り付け(&P)\tCtrl+V", kEditPaste, {}}};
    if (withSettings)
        items.insert(items.end(), {kSeparator, {"設定(&S)", kProgramSettings, {}}});
    return {"編集(&E)", 0, std::move(items)};
}

MenuItem BarsViewMenu(bool withWindowPosition) {
    std::vector<MenuItem> items{{"ツールバー(&T)", kViewToolbar, {}},
                                {"ステータスバー(&S)", kViewStatusBar, {}},
                                {"全画面表示(&U)\tF11", kFullScreen, {}}};
    if (withWindowPosition)
        items.insert(items.begin(), {WindowPositionMenu(), kSeparator});
    return {"表示(&V)", 0, std::move(items)};
}

MenuItem MoleculeViewMenu() {
    return {
        "表示(&V)",
        0,
        {{"分子表示モード(&M)",
          0,
          {{"ワイヤーフレーム", kWireFrame, {}},
           {"ボール＆スティック", kBallAndStick, {}},
           {"リボン", kRibbon, {}},
           kSeparator,
           {"振動解析", kVibration, {}}}},
         {"アニメーション(&A)", kAnimation, {}},
         {"基準振動(&N)...", kNormalModes, {}},
         {"水素原子表示", kShowHydrogens, {}},
         {"ラベル(&L)", 0, {{"全原子表示(&A)", kLabelAll, {}}, {"クリア(&C)", kLabelClear, {}}}},
         kSeparator,
         {"色分け(&C)", 0, {{"原子(&A)", kColourByAtom, {}}, {"残基(&R)", kColourByResidue, {}}}},
         {"背景色(&B)", kBackgroundColour, {}},
         {"文字色(&R)", kLabelColour, {}},
         {"表示設定(&P)", kDisplaySettings, {}},
         {"視点を戻す(&H)\tHome", kResetView, {}},
         kSeparator,
         WindowPositionMenu(),
         kSeparator,
         {"ツールバー(&T)", kViewToolbar, {}},
         {"ステータスバー(&S)", kViewStatusBar, {}},
         {"全画面表示(&U)\tF11", kFullScreen, {}}}};
}

std::vector<MenuItem> MakeMenu(int resourceId) {
    switch (resourceId) {
    case ResourceIds::kMainMenu:
        return {{"ファイル(&F)",
                 0,
                 {{"新規作成(&N)\tCtrl+N", kFileNew, {}},
                  {"開く(&O)...\tCtrl+O", kFileOpen, {}},
                  kSeparator,
                  {"プリンタの設定(&R)...", kFilePrintSetup, {}},
                  kSeparator,
                  RecentFiles(),
                  kSeparator,
                  {"終了(&X)", kAppExit, {}}}},
                BarsViewMenu(true),
                HelpMenu()};
    case ResourceIds::kPlaceholder:
        return {DocumentFileMenu(SaveCommands(false)), EditMenu(false), BarsViewMenu(false),
                WindowMenu(), HelpMenu()};
    case ResourceIds::kMolecule:
        return {DocumentFileMenu(SaveCommands(true)),
                EditMenu(true),
                MoleculeViewMenu(),
                {"解析(&A)",
                 0,
                 {{"ペプチド構造(&P)", kPeptideStructure, {}},
                  {"IR スペクトル(&I)", kIrSpectrum, {}},
                  {"最適化の経過(&O)", kOptimisationChart, {}},
                  kSeparator,
                  {"最新のステップを追う(&F)", kFollowJob, {}}}},
                WindowMenu(),
                HelpMenu()};
    case ResourceIds::kPlot:
        return {DocumentFileMenu(SaveCommands(false)), EditMenu(false), BarsViewMenu(true),
                WindowMenu(), HelpMenu()};
    case ResourceIds::kChart:
        return {DocumentFileMenu({{"経過データ保存(&D)...", kSaveChartData, {}}}),
                BarsViewMenu(true), WindowMenu(), HelpMenu()};
    case ResourceIds::kSpectrum:
        return {DocumentFileMenu({{"スペクトルデータ保存(&D)...", kSaveSpectrum, {}}}),
                BarsViewMenu(true), WindowMenu(), HelpMenu()};
    default:
        return {};
    }
}

} // namespace

const std::vector<MenuItem>& MenuResource(int resourceId) {
    static std::map<int, std::vector<MenuItem>> menus;
    auto it = menus.find(resourceId);
    if (it == menus.end())
        it = menus.emplace(resourceId, MakeMenu(resourceId)).first;
    return it->second;
}

// Ctrl+W (ウィンドウを閉じる) is not here: it is the document window's own
// close key, and a second binding would make the key ambiguous and do nothing.
const std::vector<Accelerator>& AcceleratorTable() {
    static const std::vector<Accelerator> table{
        {"Ctrl+N", kFileNew},    {"Ctrl+O", kFileOpen},   {"Ctrl+S", kFileSave},
        {"Ctrl+P", kFilePrint},  {"Ctrl+Z", kEditUndo},   {"Ctrl+X", kEditCut},
        {"Ctrl+C", kEditCopy},   {"Ctrl+V", kEditPaste},  {"Alt+Backspace", kEditUndo},
        {"Shift+Del", kEditCut}, {"Ctrl+Ins", kEditCopy}, {"Shift+Ins", kEditPaste},
        {"F6", kNextPane},       {"Shift+F6", kPrevPane}, {"Shift+F1", kContextHelp},
        {"F1", kHelp},           {"Home", kResetView},    {"F11", kFullScreen},
    };
    return table;
}

const std::vector<int>& ToolbarButtons() {
    static const std::vector<int> buttons{kFileNew,   kFileOpen, kFileSave,  0,
                                          kEditCut,   kEditCopy, kEditPaste, 0,
                                          kFilePrint, 0,         kAppAbout,  kContextHelp};
    return buttons;
}

const char* CommandString(int id) {
    static const std::map<int, const char*> strings{
        {kFileNew, "新規にファイルを作成します\n新規作成"},
        {kFileOpen, "既存のファイルを開きます\n開く"},
        {kFileClose, "作業中のファイルを閉じます\n閉じる"},
        {kFileSave, "作業中のファイルを上書きして保存します\n上書き保存"},
        {kFileSaveAs, "作業中のファイルを新しい名前で保存します\n名前を付けて保存"},
        {kSavePicture, "表示画像を保存\n画像保存"},
        {kFilePrint, "作業中のファイルを印刷します\n印刷"},
        {kFilePrintPreview, "フル ページ表示します\n印刷プレビュー"},
        {kFilePrintSetup, "プリンタおよび印刷オプションを変更します\n印刷設定"},
        {kFileMru1, "このファイルを開きます"},
        {kFileMru1 + 1, "このファイルを開きます"},
        {kFileMru1 + 2, "このファイルを開きます"},
        {kFileMru4, "このファイルを開きます"},
        {kAppExit, "アプリケーションを終了します\n終了"},
        {kEditUndo, "直前に行った動作を元に戻します\n元に戻す"},
        {kEditCut, "選択範囲を切り取ってクリップボードに移動します\n切り取り"},
        {kEditCopy, "選択範囲をコピーしてクリップボードに保存します\nコピー"},
        {kEditPaste, "クリップボードの内容を挿入します\n貼り付け"},
        {kProgramSettings, "RAVEKの設定を行います\nRAVEK設定"},
        {kWireFrame, "ワイヤーフレームで表示します\nワイヤーフレーム"},
        {kBallAndStick, "ボール&スティックで表示します\nボール&スティック"},
        {kRibbon, "リボンで表示します表示\nリボン"},
        {kVibration, "振動解析の結果を表示します\n振動解析の結果表示"},
        {kAnimation, "分子表示のアニメーションを行います\n分子表示のアニメーション"},
        {kNormalModes, "基準振動の一覧を表示し、振動を選んで動かします\n基準振動"},
        {kShowHydrogens, "水素原子を表示します\n水素原子表示"},
        {kLabelAll, "全原子のラベルを表示します\n全原子のラベル表示"},
        {kLabelClear, "ラベルをクリアします\nラベルのクリア"},
        {kColourByAtom, "原子ごとに色分けします\n原子ごとの色分け"},
        {kColourByResidue, "残基ごとに色分けします\n残基ごとの色分け"},
        {kBackgroundColour, "背景色を設定します\n背景色の設定"},
        {kLabelColour, "文字色を設定します\n文字色の設定"},
        {kDisplaySettings, "表示の設定を行います\n表示設定"},
        {kWindowPositionSave, "ウィンドウ位置を保存します\nウィンドウ位置保存"},
        {kWindowPositionDefault, "初期設定の位置に戻します\n初期設定位置"},
        {kViewToolbar, "ツール バーの表示/非表示を切り替えます\nツール バーの表示/非表示"},
        {kViewStatusBar,
         "ステータス バーの表示/非表示を切り替えます\nステータス バーの表示/非表示"},
        {kPeptideStructure, "ペプチドのコンフォメーションを調べます\nペプチド構造"},
        {kIrSpectrum, "振動解析の IR スペクトルを表示します\nIR スペクトル"},
        {kResetView, "分子を最初の向きと大きさに戻します\n視点を戻す"},
        {kFullScreen, "ウィンドウを画面全体に表示します。もう一度で元に戻ります\n全画面表示"},
        {kCloseWindow, "作業中のウィンドウを閉じます\nウィンドウを閉じる"},
        {kFollowJob, "書き込み中の出力ファイルに新しいステップが加わるたびに、そのステップを表示し"
                     "ます\n最新のステップを追う"},
        {kOptimisationChart,
         "最適化の各ステップのエネルギーと収束の値をグラフで表示します\n最適化の経過"},
        {kSaveChartData, "各ステップのエネルギーと収束の値をテキストで保存します\n経過データ保存"},
        {kSaveSpectrum, "スペクトルの曲線を 2 列のテキストで保存します\nスペクトルデータ保存"},
        {kWindowNew, "作業中のウィンドウを複写して表示します\n新しいウィンドウ"},
        {kWindowArrange, "アイコンを整列します\nアイコンの整列"},
        {kWindowCascade, "ウィンドウを重ねて表示します\n重ねて表示"},
        {kWindowTile, "ウィンドウを並べて表示します\n並べて表示"},
        {kAppAbout, "プログラム情報、バージョン、著作権を表示します\nバージョン情報"},
        {kHelpIndex, "ヘルプ トピックの一覧を表示します\nヘルプ トピック"},
        {kContextHelp, "ボタン、メニュー、ウィンドウのヘルプを表示します\nヘルプ"},
    };
    const auto it = strings.find(id);
    return it != strings.end() ? it->second : nullptr;
}

namespace AppStrings {
const char* const kAppTitle = "RAVEK";
const char* const kPlaceholderTemplate =
    "\nRAVEK\nRAVEK\nRAVEK (*.rv)\n.rv\nRAVEK.Document\nRAVEK Document";
const char* const kMoleculeTemplate = "\nRAVEK Viewer\nRAVEK Molecule\nRAVEK Molecule "
                                      "(*.rvd)\n.rvd\nMol.Document\nMol Document";
const char* const kPlotTemplate = "\nRAVEK Plot\nRAVEK Molecule\nRAVEK Molecule "
                                  "(*.rpd)\n.rpd\nMol.Document\nMol Document";
const char* const kSpectrumTemplate = "\nRAVEK Spectrum\nRAVEK Molecule\nRAVEK Molecule "
                                      "(*.rvd)\n.rvd\nMol.Document\nMol Document";
const char* const kChartTemplate = "\nRAVEK Chart\nRAVEK Molecule\nRAVEK Molecule "
                                   "(*.rvd)\n.rvd\nMol.Document\nMol Document";
const char* const kIdleMessage = "レディ";
const char* const kAtomLabelPane = "ATOM_LABEL";
const char* const kOpenFilter =
    "Gaussian Data (*.log; *.com; *.out; *.gjf)|*.log; *.com; *.out; *.gjf; *.log.gz; *.out.gz|"
    "PDB Data (*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; *.mmcif.gz)|*.pdb; "
    "*.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; *.mmcif.gz|All Files (*.*)|*.*||";
const char* const kSaveFilter =
    "Gaussian Input Files (*.com)|*.com|Protein Data Bank Files (*.pdb; *.ent)|*.pdb; "
    "*.ent|Ramachandran Plot Data (*.rpd)|*.rpd|All Files (*.*)|*.*||";
} // namespace AppStrings
