#include "res/Resources.h"

#include "res/CommandIds.h"

#include <QtGlobal>

#include <map>

using namespace CommandIds;

namespace {

const MenuItem kSeparator{"", 0, {}};

MenuItem RecentFiles() {
    return {QT_TRANSLATE_NOOP("Menu", "最近使ったファイル"), kFileMru1, {}};
}

MenuItem WindowPositionMenu() {
    return {QT_TRANSLATE_NOOP("Menu", "ウィンドウ位置(&W)"),
            0,
            {{QT_TRANSLATE_NOOP("Menu", "保存(&S)"), kWindowPositionSave, {}},
             {QT_TRANSLATE_NOOP("Menu", "初期設定(&D)"), kWindowPositionDefault, {}}}};
}

MenuItem WindowMenu() {
    return {QT_TRANSLATE_NOOP("Menu", "ウィンドウ(&W)"),
            0,
            {{QT_TRANSLATE_NOOP("Menu", "新しいウィンドウを開く(&N)"), kWindowNew, {}},
             {QT_TRANSLATE_NOOP("Menu", "重ねて表示(&C)"), kWindowCascade, {}},
             {QT_TRANSLATE_NOOP("Menu", "並べて表示(&T)"), kWindowTile, {}},
             {QT_TRANSLATE_NOOP("Menu", "アイコンの整列(&A)"), kWindowArrange, {}},
             kSeparator,
             {QT_TRANSLATE_NOOP("Menu", "ウィンドウを閉じる(&L)\tCtrl+W"), kCloseWindow, {}}}};
}

MenuItem HelpMenu() {
    return {QT_TRANSLATE_NOOP("Menu", "ヘルプ(&H)"),
            0,
            {{QT_TRANSLATE_NOOP("Menu", "トピックの検索(&H)"), kHelpIndex, {}},
             kSeparator,
             {QT_TRANSLATE_NOOP("Menu", "バージョン情報(&A)..."), kAppAbout, {}}}};
}

// The file menu of document windows: new, open, close, then the window's
// own saving commands, printing, the recent files and exit.
MenuItem DocumentFileMenu(std::vector<MenuItem> saving) {
    std::vector<MenuItem> items{
        {QT_TRANSLATE_NOOP("Menu", "新規作成(&N)\tCtrl+N"), kFileNew, {}},
        {QT_TRANSLATE_NOOP("Menu", "開く(&O)...\tCtrl+O"), kFileOpen, {}},
        {QT_TRANSLATE_NOOP("Menu", "閉じる(&C)"), kFileClose, {}},
        {QT_TRANSLATE_NOOP("Menu", "ジョブを比較(&J)..."), kCompareJobs, {}}};
    items.insert(items.end(), saving.begin(), saving.end());
    items.insert(items.end(),
                 {kSeparator,
                  {QT_TRANSLATE_NOOP("Menu", "印刷(&P)...\tCtrl+P"), kFilePrint, {}},
                  {QT_TRANSLATE_NOOP("Menu", "印刷プレビュー(&V)"), kFilePrintPreview, {}},
                  {QT_TRANSLATE_NOOP("Menu", "プリンタの設定(&R)..."), kFilePrintSetup, {}},
                  kSeparator,
                  RecentFiles(),
                  kSeparator,
                  {QT_TRANSLATE_NOOP("Menu", "終了(&X)"), kAppExit, {}}});
    return {QT_TRANSLATE_NOOP("Menu", "ファイル(&F)"), 0, std::move(items)};
}

// The two save commands, and for the molecule window the picture command.
std::vector<MenuItem> SaveCommands(bool withPicture) {
    std::vector<MenuItem> items{
        {QT_TRANSLATE_NOOP("Menu", "上書き保存(&S)\tCtrl+S"), kFileSave, {}},
        {QT_TRANSLATE_NOOP("Menu", "名前を付けて保存(&A)..."), kFileSaveAs, {}}};
    if (withPicture) {
        items.push_back({QT_TRANSLATE_NOOP("Menu", "画像保存(&I)"), kSavePicture, {}});
        items.push_back(
            {QT_TRANSLATE_NOOP("Menu", "画像保存 (サイズ指定)(&Z)..."), kSavePictureSized, {}});
        items.push_back({QT_TRANSLATE_NOOP("Menu", "GIF 動画保存(&G)..."), kSaveMovieGif, {}});
        items.push_back({QT_TRANSLATE_NOOP("Menu", "MP4 動画保存(&M)..."), kSaveMovieMp4, {}});
    }
    return items;
}

MenuItem EditMenu(bool withSettings) {
    std::vector<MenuItem> items{
        {QT_TRANSLATE_NOOP("Menu", "元に戻す(&U)\tCtrl+Z"), kEditUndo, {}},
        kSeparator,
        {QT_TRANSLATE_NOOP("Menu", "切り取り(&T)\tCtrl+X"), kEditCut, {}},
        {QT_TRANSLATE_NOOP("Menu", "コピー(&C)\tCtrl+C"), kEditCopy, {}},
        {QT_TRANSLATE_NOOP("Menu", "貼り付け(&P)\tCtrl+V"), kEditPaste, {}}};
    if (withSettings)
        items.insert(items.end(),
                     {kSeparator, {QT_TRANSLATE_NOOP("Menu", "設定(&S)"), kProgramSettings, {}}});
    return {QT_TRANSLATE_NOOP("Menu", "編集(&E)"), 0, std::move(items)};
}

// The panels of the main window, each shown or hidden, and whether they
// open by themselves.
MenuItem PanelMenu() {
    return {QT_TRANSLATE_NOOP("Menu", "パネル(&D)"),
            0,
            {{QT_TRANSLATE_NOOP("Menu", "軌道と密度(&O)"), kPanelOrbitals, {}},
             {QT_TRANSLATE_NOOP("Menu", "計算結果(&R)"), kPanelResults, {}},
             {QT_TRANSLATE_NOOP("Menu", "計測(&M)"), kPanelMeasurements, {}},
             {QT_TRANSLATE_NOOP("Menu", "表示(&D)"), kPanelRepresentations, {}},
             kSeparator,
             {QT_TRANSLATE_NOOP("Menu", "内容があれば自動で開く(&A)"), kPanelsOpenThemselves, {}}}};
}

MenuItem BarsViewMenu(bool withWindowPosition, bool withPanels = false) {
    std::vector<MenuItem> items{
        {QT_TRANSLATE_NOOP("Menu", "ツールバー(&T)"), kViewToolbar, {}},
        {QT_TRANSLATE_NOOP("Menu", "ステータスバー(&S)"), kViewStatusBar, {}},
        {QT_TRANSLATE_NOOP("Menu", "全画面表示(&U)\tF11"), kFullScreen, {}}};
    if (withWindowPosition)
        items.insert(items.begin(), {WindowPositionMenu(), kSeparator});
    if (withPanels)
        items.insert(items.begin(), PanelMenu());
    return {QT_TRANSLATE_NOOP("Menu", "表示(&V)"), 0, std::move(items)};
}

MenuItem MoleculeViewMenu() {
    return {QT_TRANSLATE_NOOP("Menu", "表示(&V)"),
            0,
            {{QT_TRANSLATE_NOOP("Menu", "分子表示モード(&M)"),
              0,
              {{QT_TRANSLATE_NOOP("Menu", "ワイヤーフレーム"), kWireFrame, {}},
               {QT_TRANSLATE_NOOP("Menu", "ボール＆スティック"), kBallAndStick, {}},
               {QT_TRANSLATE_NOOP("Menu", "リボン"), kRibbon, {}},
               {QT_TRANSLATE_NOOP("Menu", "カートゥーン"), kCartoon, {}},
               kSeparator,
               {QT_TRANSLATE_NOOP("Menu", "らせんを円柱で"), kCartoonCylinders, {}},
               {QT_TRANSLATE_NOOP("Menu", "リガンドも表示"), kCartoonLigands, {}},
               {QT_TRANSLATE_NOOP("Menu", "水も表示"), kCartoonWaters, {}},
               {QT_TRANSLATE_NOOP("Menu", "ファイルの二次構造を使う"), kSecondaryFromFile, {}},
               kSeparator,
               {QT_TRANSLATE_NOOP("Menu", "振動解析"), kVibration, {}}}},
             {QT_TRANSLATE_NOOP("Menu", "アニメーション(&A)"), kAnimation, {}},
             {QT_TRANSLATE_NOOP("Menu", "ステップ(&G)"),
              0,
              {{QT_TRANSLATE_NOOP("Menu", "最初へ(&F)\tCtrl+PgUp"), kStepFirst, {}},
               {QT_TRANSLATE_NOOP("Menu", "前へ(&P)\tPgUp"), kStepPrevious, {}},
               {QT_TRANSLATE_NOOP("Menu", "次へ(&N)\tPgDown"), kStepNext, {}},
               {QT_TRANSLATE_NOOP("Menu", "最後へ(&L)\tCtrl+PgDown"), kStepLast, {}},
               kSeparator,
               {QT_TRANSLATE_NOOP("Menu", "全モデルを重ねて表示(&O)"), kOverlayModels, {}}}},
             {QT_TRANSLATE_NOOP("Menu", "基準振動(&N)..."), kNormalModes, {}},
             {QT_TRANSLATE_NOOP("Menu", "水素原子表示"), kShowHydrogens, {}},
             {QT_TRANSLATE_NOOP("Menu", "ラベル(&L)"),
              0,
              {{QT_TRANSLATE_NOOP("Menu", "全原子表示(&A)"), kLabelAll, {}},
               {QT_TRANSLATE_NOOP("Menu", "クリア(&C)"), kLabelClear, {}},
               kSeparator,
               {QT_TRANSLATE_NOOP("Menu", "縁取り(&O)"), kLabelOutlines, {}}}},
             kSeparator,
             {QT_TRANSLATE_NOOP("Menu", "色分け(&C)"),
              0,
              {{QT_TRANSLATE_NOOP("Menu", "原子(&A)"), kColourByAtom, {}},
               {QT_TRANSLATE_NOOP("Menu", "残基(&R)"), kColourByResidue, {}},
               {QT_TRANSLATE_NOOP("Menu", "チェーン(&C)"), kColourByChain, {}},
               {QT_TRANSLATE_NOOP("Menu", "二次構造(&S)"), kColourBySecondary, {}},
               {QT_TRANSLATE_NOOP("Menu", "B因子(&B)"), kColourByBFactor, {}},
               {QT_TRANSLATE_NOOP("Menu", "N末端からC末端へ虹色(&N)"), kColourByRainbow, {}}}},
             {QT_TRANSLATE_NOOP("Menu", "背景色(&B)"), kBackgroundColour, {}},
             {QT_TRANSLATE_NOOP("Menu", "文字色(&R)"), kLabelColour, {}},
             {QT_TRANSLATE_NOOP("Menu", "表示設定(&P)"), kDisplaySettings, {}},
             {QT_TRANSLATE_NOOP("Menu", "視点を戻す(&H)\tHome"), kResetView, {}},
             {QT_TRANSLATE_NOOP("Menu", "選択した原子を中心に(&E)"), kCentreOnSelection, {}},
             kSeparator,
             PanelMenu(),
             WindowPositionMenu(),
             kSeparator,
             {QT_TRANSLATE_NOOP("Menu", "ツールバー(&T)"), kViewToolbar, {}},
             {QT_TRANSLATE_NOOP("Menu", "ステータスバー(&S)"), kViewStatusBar, {}},
             {QT_TRANSLATE_NOOP("Menu", "全画面表示(&U)\tF11"), kFullScreen, {}}}};
}

std::vector<MenuItem> MakeMenu(int resourceId) {
    switch (resourceId) {
    case ResourceIds::kMainMenu:
        return {{QT_TRANSLATE_NOOP("Menu", "ファイル(&F)"),
                 0,
                 {{QT_TRANSLATE_NOOP("Menu", "新規作成(&N)\tCtrl+N"), kFileNew, {}},
                  {QT_TRANSLATE_NOOP("Menu", "開く(&O)...\tCtrl+O"), kFileOpen, {}},
                  {QT_TRANSLATE_NOOP("Menu", "ジョブを比較(&J)..."), kCompareJobs, {}},
                  kSeparator,
                  {QT_TRANSLATE_NOOP("Menu", "プリンタの設定(&R)..."), kFilePrintSetup, {}},
                  kSeparator,
                  RecentFiles(),
                  kSeparator,
                  {QT_TRANSLATE_NOOP("Menu", "終了(&X)"), kAppExit, {}}}},
                BarsViewMenu(true),
                HelpMenu()};
    case ResourceIds::kPlaceholder:
        return {DocumentFileMenu(SaveCommands(false)), EditMenu(false), BarsViewMenu(false),
                WindowMenu(), HelpMenu()};
    case ResourceIds::kMolecule:
        return {
            DocumentFileMenu(SaveCommands(true)),
            EditMenu(true),
            MoleculeViewMenu(),
            {QT_TRANSLATE_NOOP("Menu", "解析(&A)"),
             0,
             {{QT_TRANSLATE_NOOP("Menu", "ペプチド構造(&P)"), kPeptideStructure, {}},
              {QT_TRANSLATE_NOOP("Menu", "IR スペクトル(&I)"), kIrSpectrum, {}},
              {QT_TRANSLATE_NOOP("Menu", "ラマンスペクトル(&R)"), kRamanSpectrum, {}},
              {QT_TRANSLATE_NOOP("Menu", "UV-Vis・ECD スペクトル(&U)"), kUvVisSpectrum, {}},
              {QT_TRANSLATE_NOOP("Menu", "NMR スペクトル(&N)"), kNmrSpectrum, {}},
              {QT_TRANSLATE_NOOP("Menu", "最適化の経過(&O)"), kOptimisationChart, {}},
              {QT_TRANSLATE_NOOP("Menu", "反応経路(&W)"), kReactionPath, {}},
              kSeparator,
              {QT_TRANSLATE_NOOP("Menu", "最新のステップを追う(&F)"), kFollowJob, {}},
              kSeparator,
              {QT_TRANSLATE_NOOP("Menu", "距離を測る(&D)"), kMeasureDistance, {}},
              {QT_TRANSLATE_NOOP("Menu", "角度を測る(&G)"), kMeasureAngle, {}},
              {QT_TRANSLATE_NOOP("Menu", "二面角を測る(&T)"), kMeasureDihedral, {}},
              {QT_TRANSLATE_NOOP("Menu", "計測をすべて消去(&C)"), kClearMeasurements, {}},
              {QT_TRANSLATE_NOOP("Menu", "クリックの計測も残す(&K)"), kKeepClickMeasurements, {}}}},
            WindowMenu(),
            HelpMenu()};
    case ResourceIds::kPlot:
        return {DocumentFileMenu(SaveCommands(false)), EditMenu(false), BarsViewMenu(true),
                WindowMenu(), HelpMenu()};
    case ResourceIds::kChart:
        return {DocumentFileMenu(
                    {{QT_TRANSLATE_NOOP("Menu", "経過データ保存(&D)..."), kSaveChartData, {}}}),
                BarsViewMenu(true, true), WindowMenu(), HelpMenu()};
    case ResourceIds::kPathChart:
        return {DocumentFileMenu(
                    {{QT_TRANSLATE_NOOP("Menu", "経路データ保存(&D)..."), kSavePathData, {}}}),
                {QT_TRANSLATE_NOOP("Menu", "経路(&P)"),
                 0,
                 {{QT_TRANSLATE_NOOP("Menu", "hartree(&H)"), kPathHartree, {}},
                  {QT_TRANSLATE_NOOP("Menu", "kJ/mol(&J)"), kPathKjPerMol, {}},
                  {QT_TRANSLATE_NOOP("Menu", "kcal/mol(&K)"), kPathKcalPerMol, {}},
                  kSeparator,
                  {QT_TRANSLATE_NOOP("Menu", "経路に沿ってアニメーション(&A)"), kPathAnimate, {}}}},
                BarsViewMenu(true, true),
                WindowMenu(),
                HelpMenu()};
    case ResourceIds::kSpectrum:
        return {
            DocumentFileMenu(
                {{QT_TRANSLATE_NOOP("Menu", "スペクトルデータ保存(&D)..."), kSaveSpectrum, {}}}),
            BarsViewMenu(true, true), WindowMenu(), HelpMenu()};
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
        {"Ctrl+N", kFileNew},
        {"Ctrl+O", kFileOpen},
        {"Ctrl+S", kFileSave},
        {"Ctrl+P", kFilePrint},
        {"Ctrl+Z", kEditUndo},
        {"Ctrl+X", kEditCut},
        {"Ctrl+C", kEditCopy},
        {"Ctrl+V", kEditPaste},
        {"Alt+Backspace", kEditUndo},
        {"Shift+Del", kEditCut},
        {"Ctrl+Ins", kEditCopy},
        {"Shift+Ins", kEditPaste},
        {"F6", kNextPane},
        {"Shift+F6", kPrevPane},
        {"Shift+F1", kContextHelp},
        {"F1", kHelp},
        {"Home", kResetView},
        {"F11", kFullScreen},
        {"Ctrl+PgUp", kStepFirst},
        {"PgUp", kStepPrevious},
        {"PgDown", kStepNext},
        {"Ctrl+PgDown", kStepLast},
    };
    return table;
}

const std::vector<int>& ToolbarButtons() {
    // The program's own buttons first, in their order; those added since
    // after them.
    static const std::vector<int> buttons{kFileNew,
                                          kFileOpen,
                                          kFileSave,
                                          0,
                                          kEditCut,
                                          kEditCopy,
                                          kEditPaste,
                                          0,
                                          kFilePrint,
                                          0,
                                          kAppAbout,
                                          kContextHelp,
                                          0,
                                          kResetView,
                                          0,
                                          kMeasureDistance,
                                          kMeasureAngle,
                                          kMeasureDihedral,
                                          0,
                                          kStepFirst,
                                          kStepPrevious,
                                          kStepNext,
                                          kStepLast,
                                          kAnimation};
    return buttons;
}

const char* CommandString(int id) {
    static const std::map<int, const char*> strings{
        {kFileNew, QT_TRANSLATE_NOOP("Command", "新規にファイルを作成します\n新規作成")},
        {kFileOpen, QT_TRANSLATE_NOOP("Command", "既存のファイルを開きます\n開く")},
        {kFileClose, QT_TRANSLATE_NOOP("Command", "作業中のファイルを閉じます\n閉じる")},
        {kFileSave,
         QT_TRANSLATE_NOOP("Command", "作業中のファイルを上書きして保存します\n上書き保存")},
        {kFileSaveAs, QT_TRANSLATE_NOOP(
                          "Command", "作業中のファイルを新しい名前で保存します\n名前を付けて保存")},
        {kSavePicture, QT_TRANSLATE_NOOP("Command", "表示画像を保存\n画像保存")},
        {kSavePictureSized,
         QT_TRANSLATE_NOOP("Command", "大きさ、解像度、透明な背景を選んで表示画像を保存します\n"
                                      "画像保存 (サイズ指定)")},
        {kSaveMovieGif,
         QT_TRANSLATE_NOOP("Command",
                           "最適化の経過か基準振動を GIF 動画に保存します\nGIF 動画保存")},
        {kSaveMovieMp4,
         QT_TRANSLATE_NOOP("Command", "最適化の経過か基準振動を MP4 動画に保存します (ffmpeg を使い"
                                      "ます)\nMP4 動画保存")},
        {kFilePrint, QT_TRANSLATE_NOOP("Command", "作業中のファイルを印刷します\n印刷")},
        {kFilePrintPreview, QT_TRANSLATE_NOOP("Command", "フル ページ表示します\n印刷プレビュー")},
        {kFilePrintSetup,
         QT_TRANSLATE_NOOP("Command", "プリンタおよび印刷オプションを変更します\n印刷設定")},
        {kFileMru1, QT_TRANSLATE_NOOP("Command", "このファイルを開きます")},
        {kFileMru1 + 1, QT_TRANSLATE_NOOP("Command", "このファイルを開きます")},
        {kFileMru1 + 2, QT_TRANSLATE_NOOP("Command", "このファイルを開きます")},
        {kFileMru4, QT_TRANSLATE_NOOP("Command", "このファイルを開きます")},
        {kAppExit, QT_TRANSLATE_NOOP("Command", "アプリケーションを終了します\n終了")},
        {kEditUndo, QT_TRANSLATE_NOOP("Command", "直前に行った動作を元に戻します\n元に戻す")},
        {kEditCut,
         QT_TRANSLATE_NOOP("Command", "選択範囲を切り取ってクリップボードに移動します\n切り取り")},
        {kEditCopy,
         QT_TRANSLATE_NOOP("Command", "選択範囲をコピーしてクリップボードに保存します\nコピー")},
        {kEditPaste, QT_TRANSLATE_NOOP("Command", "クリップボードの内容を挿入します\n貼り付け")},
        {kProgramSettings, QT_TRANSLATE_NOOP("Command", "RAVEKの設定を行います\nRAVEK設定")},
        {kWireFrame,
         QT_TRANSLATE_NOOP("Command", "ワイヤーフレームで表示します\nワイヤーフレーム")},
        {kBallAndStick,
         QT_TRANSLATE_NOOP("Command", "ボール&スティックで表示します\nボール&スティック")},
        {kRibbon, QT_TRANSLATE_NOOP("Command", "リボンで表示します表示\nリボン")},
        {kCartoon, QT_TRANSLATE_NOOP(
                       "Command",
                       "タンパク質をらせん、矢印のストランド、チューブで表示します\nカートゥーン")},
        {kCartoonCylinders,
         QT_TRANSLATE_NOOP("Command",
                           "カートゥーンのらせんをリボンでなく円柱で表示します\nらせんを円柱で")},
        {kCartoonLigands,
         QT_TRANSLATE_NOOP("Command", "カートゥーンとともにリガンドやイオンをボール&"
                                      "スティックで表示します\nリガンドも表示")},
        {kCartoonWaters,
         QT_TRANSLATE_NOOP("Command", "カートゥーンとともに水分子を点で表示します\n水も表示")},
        {kVibration,
         QT_TRANSLATE_NOOP("Command", "振動解析の結果を表示します\n振動解析の結果表示")},
        {kLabelOutlines,
         QT_TRANSLATE_NOOP("Command",
                           "ラベルを縁取りして、どの背景でも読めるようにします\nラベルの縁取り")},
        {kKeepClickMeasurements,
         QT_TRANSLATE_NOOP("Command", "クリックで測った距離・角度・二面角も分子の上に残します\n"
                                      "クリックの計測を残す")},
        {kPanelOrbitals,
         QT_TRANSLATE_NOOP("Command", "軌道と密度のパネルを表示します\n軌道と密度")},
        {kPanelResults,
         QT_TRANSLATE_NOOP("Command", "電荷・熱化学などの計算結果のパネルを表示します\n計算結果")},
        {kPanelMeasurements,
         QT_TRANSLATE_NOOP("Command", "残した計測の一覧のパネルを表示します\n計測")},
        {kPanelRepresentations,
         QT_TRANSLATE_NOOP("Command",
                           "選択した原子ごとの表示の一覧とコマンド欄のパネルを表示します\n"
                           "表示")},
        {kPanelsOpenThemselves,
         QT_TRANSLATE_NOOP("Command", "ファイルに内容があればパネルを自動で開きます\n"
                                      "パネルを自動で開く")},
        {kAnimation,
         QT_TRANSLATE_NOOP("Command",
                           "分子表示のアニメーションを行います\n分子表示のアニメーション")},
        {kNormalModes,
         QT_TRANSLATE_NOOP("Command", "基準振動の一覧を表示し、振動を選んで動かします\n基準振動")},
        {kShowHydrogens, QT_TRANSLATE_NOOP("Command", "水素原子を表示します\n水素原子表示")},
        {kLabelAll, QT_TRANSLATE_NOOP("Command", "全原子のラベルを表示します\n全原子のラベル表示")},
        {kLabelClear, QT_TRANSLATE_NOOP("Command", "ラベルをクリアします\nラベルのクリア")},
        {kColourByAtom, QT_TRANSLATE_NOOP("Command", "原子ごとに色分けします\n原子ごとの色分け")},
        {kColourByResidue,
         QT_TRANSLATE_NOOP("Command", "残基ごとに色分けします\n残基ごとの色分け")},
        {kColourByChain,
         QT_TRANSLATE_NOOP("Command", "チェーンごとに色分けします\nチェーンごとの色分け")},
        {kColourBySecondary,
         QT_TRANSLATE_NOOP("Command",
                           "らせん、ストランドなどの二次構造で色分けします\n二次構造の色分け")},
        {kColourByBFactor,
         QT_TRANSLATE_NOOP("Command",
                           "B因子の低い原子を青、高い原子を赤で示します\nB因子の色分け")},
        {kColourByRainbow,
         QT_TRANSLATE_NOOP("Command",
                           "各チェーンをN末端の青からC末端の赤まで虹色で示します\n虹色の色分け")},
        {kStepFirst,
         QT_TRANSLATE_NOOP("Command", "最初のモデルまたはステップを表示します\n最初へ")},
        {kStepPrevious, QT_TRANSLATE_NOOP("Command", "前のモデルまたはステップを表示します\n前へ")},
        {kStepNext, QT_TRANSLATE_NOOP("Command", "次のモデルまたはステップを表示します\n次へ")},
        {kStepLast, QT_TRANSLATE_NOOP("Command", "最後のモデルまたはステップを表示します\n最後へ")},
        {kOverlayModels,
         QT_TRANSLATE_NOOP(
             "Command",
             "表示中のモデルに他のモデルの主鎖を細い線で重ねます\n全モデルを重ねて表示")},
        {kSecondaryFromFile,
         QT_TRANSLATE_NOOP("Command",
                           "二次構造を主鎖から求めず、ファイルの HELIX・SHEET レコード (mmCIF では "
                           "struct_conf と struct_sheet_range) から取ります\nファイルの二次構造")},
        {kCentreOnSelection,
         QT_TRANSLATE_NOOP("Command",
                           "選択した原子や残基が画面の中心に来るよう移動します\n選択を中心に")},
        {kBackgroundColour, QT_TRANSLATE_NOOP("Command", "背景色を設定します\n背景色の設定")},
        {kLabelColour, QT_TRANSLATE_NOOP("Command", "文字色を設定します\n文字色の設定")},
        {kDisplaySettings, QT_TRANSLATE_NOOP("Command", "表示の設定を行います\n表示設定")},
        {kWindowPositionSave,
         QT_TRANSLATE_NOOP("Command", "ウィンドウ位置を保存します\nウィンドウ位置保存")},
        {kWindowPositionDefault,
         QT_TRANSLATE_NOOP("Command", "初期設定の位置に戻します\n初期設定位置")},
        {kViewToolbar,
         QT_TRANSLATE_NOOP("Command",
                           "ツール バーの表示/非表示を切り替えます\nツール バーの表示/非表示")},
        {kViewStatusBar,
         QT_TRANSLATE_NOOP(
             "Command",
             "ステータス バーの表示/非表示を切り替えます\nステータス バーの表示/非表示")},
        {kPeptideStructure,
         QT_TRANSLATE_NOOP("Command", "ペプチドのコンフォメーションを調べます\nペプチド構造")},
        {kIrSpectrum,
         QT_TRANSLATE_NOOP("Command", "振動解析の IR スペクトルを表示します\nIR スペクトル")},
        {kRamanSpectrum,
         QT_TRANSLATE_NOOP(
             "Command", "振動解析のラマン活性からラマンスペクトルを表示します\nラマンスペクトル")},
        {kUvVisSpectrum,
         QT_TRANSLATE_NOOP("Command",
                           "励起状態の UV-Vis スペクトルと ECD スペクトルを表示します\nUV-Vis・ECD "
                           "スペクトル")},
        {kNmrSpectrum, QT_TRANSLATE_NOOP("Command", "NMR の化学シフトを元素ごとに表示します\nNMR "
                                                    "スペクトル")},
        {kResetView,
         QT_TRANSLATE_NOOP("Command", "分子を最初の向きと大きさに戻します\n視点を戻す")},
        {kMeasureDistance,
         QT_TRANSLATE_NOOP("Command",
                           "クリックした 2 原子の距離を測り、分子の上に残します\n距離を測る")},
        {kMeasureAngle,
         QT_TRANSLATE_NOOP(
             "Command",
             "クリックした 3 原子の角度 (2 番目の原子で) を測り、分子の上に残します\n角度を測る")},
        {kMeasureDihedral,
         QT_TRANSLATE_NOOP("Command",
                           "クリックした 4 原子の二面角を測り、分子の上に残します\n二面角を測る")},
        {kClearMeasurements,
         QT_TRANSLATE_NOOP("Command", "分子の上の計測をすべて消します\n計測をすべて消去")},
        {kFullScreen,
         QT_TRANSLATE_NOOP("Command",
                           "ウィンドウを画面全体に表示します。もう一度で元に戻ります\n全画面表示")},
        {kCloseWindow,
         QT_TRANSLATE_NOOP("Command", "作業中のウィンドウを閉じます\nウィンドウを閉じる")},
        {kFollowJob,
         QT_TRANSLATE_NOOP(
             "Command",
             "書き込み中の出力ファイルに新しいステップが加わるたびに、そのステップを表示し"
             "ます\n最新のステップを追う")},
        {kOptimisationChart,
         QT_TRANSLATE_NOOP(
             "Command",
             "最適化の各ステップのエネルギーと収束の値をグラフで表示します\n最適化の経過")},
        {kCompareJobs,
         QT_TRANSLATE_NOOP(
             "Command", "複数の出力ファイルのエネルギー、ボルツマン分布の重みと重み付きスペクトルを"
                        "一つのウィンドウで比べます\nジョブを比較")},
        {kReactionPath,
         QT_TRANSLATE_NOOP("Command",
                           "スキャンや IRC の各点のエネルギーを座標に沿ってグラフで表示します\n"
                           "反応経路")},
        {kSavePathData,
         QT_TRANSLATE_NOOP(
             "Command",
             "経路の各点の座標、エネルギーと計測値をテキストで保存します\n経路データ保存")},
        {kPathHartree, QT_TRANSLATE_NOOP("Command", "エネルギーを hartree で表示します\nhartree")},
        {kPathKjPerMol, QT_TRANSLATE_NOOP("Command", "エネルギーを kJ/mol で表示します\nkJ/mol")},
        {kPathKcalPerMol,
         QT_TRANSLATE_NOOP("Command", "エネルギーを kcal/mol で表示します\nkcal/mol")},
        {kPathAnimate,
         QT_TRANSLATE_NOOP(
             "Command",
             "経路の点を反応の順にアニメーションで表示します\n経路に沿ってアニメーション")},
        {kSaveChartData,
         QT_TRANSLATE_NOOP(
             "Command", "各ステップのエネルギーと収束の値をテキストで保存します\n経過データ保存")},
        {kSaveSpectrum,
         QT_TRANSLATE_NOOP("Command",
                           "スペクトルの曲線を 2 列のテキストで保存します\nスペクトルデータ保存")},
        {kWindowNew,
         QT_TRANSLATE_NOOP("Command", "作業中のウィンドウを複写して表示します\n新しいウィンドウ")},
        {kWindowArrange, QT_TRANSLATE_NOOP("Command", "アイコンを整列します\nアイコンの整列")},
        {kWindowCascade, QT_TRANSLATE_NOOP("Command", "ウィンドウを重ねて表示します\n重ねて表示")},
        {kWindowTile, QT_TRANSLATE_NOOP("Command", "ウィンドウを並べて表示します\n並べて表示")},
        {kAppAbout,
         QT_TRANSLATE_NOOP("Command",
                           "プログラム情報、バージョン、著作権を表示します\nバージョン情報")},
        {kHelpIndex,
         QT_TRANSLATE_NOOP("Command", "ヘルプ トピックの一覧を表示します\nヘルプ トピック")},
        {kContextHelp,
         QT_TRANSLATE_NOOP("Command", "ボタン、メニュー、ウィンドウのヘルプを表示します\nヘルプ")},
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
const char* const kPathChartTemplate = "\nRAVEK Path\nRAVEK Molecule\nRAVEK Molecule "
                                       "(*.rvd)\n.rvd\nMol.Document\nMol Document";
const char* const kIdleMessage = QT_TRANSLATE_NOOP("Status", "レディ");
const char* const kAtomLabelPane = "ATOM_LABEL";
} // namespace AppStrings
