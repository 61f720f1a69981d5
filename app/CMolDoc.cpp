#include "app/CMolDoc.h"

#include "app/CDispGeneralPage.h"
#include "app/CDispResPage.h"
#include "app/CDispSheet.h"
#include "app/CPropGeneralPage.h"
#include "app/CPropPDBPage.h"
#include "formats/DialogFilter.h"
#include "formats/FileFormat.h"
#include "formats/FileKind.h"
#include "formats/LogFollower.h"
#include "formats/NoMoleculeReason.h"
#include "formats/OrcaInputWriter.h"
#include "formats/RamachandranWriter.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "model/ElementData.h"
#include "model/ResidueSummary.h"
#include "platform/BackgroundOpen.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "platform/PropertySheet.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"
#include "view/CSpectrumView.h"
#include "view/SessionFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// Plain Save of a plot-data file: the lines of the analysis as it stands.
bool WritePlotLines(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                    const std::string&, std::string*) {
    return WriteRamachandranData(mol, what.frame, file);
}

// The Z-matrix line that gave no coordinates, and why.
QString ZMatrixProblemText(const ZMatrixProblem& problem) {
    QString why;
    switch (problem.kind) {
    case ZMatrixProblem::Kind::kNone:
        return QString();
    case ZMatrixProblem::Kind::kUnreadableLine:
        why = QCoreApplication::translate("CMolDoc", "原子と座標の行として読めません");
        break;
    case ZMatrixProblem::Kind::kUndefinedVariable:
        why = QCoreApplication::translate("CMolDoc", "変数 %1 が定義されていません")
                  .arg(QString::fromStdString(problem.name));
        break;
    case ZMatrixProblem::Kind::kLaterAtom:
        why = QCoreApplication::translate("CMolDoc", "参照 %1 がそれより前の原子ではありません")
                  .arg(QString::fromStdString(problem.name));
        break;
    case ZMatrixProblem::Kind::kUndefinedPosition:
        why = QCoreApplication::translate(
            "CMolDoc", "位置が定まりません (参照原子が一直線上か重なっている、角度が合わない、"
                       "または距離が正でない)");
        break;
    }
    return QCoreApplication::translate("CMolDoc", "Z-matrix の %1 行目: %2")
        .arg(problem.line)
        .arg(why);
}

QString KindText(FileKind kind);

// Why read gave no molecule, for the status bar; empty when it gave one.
QString NoMoleculeText(const MoleculeFile& read, FileKind kind) {
    switch (read.status) {
    case MoleculeFile::Status::kMolecule:
        return QString();
    case MoleculeFile::Status::kUnknownType:
        return read.byContent ? QCoreApplication::translate(
                                    "CMolDoc", "ファイルの種類を名前からも内容からも判断できません")
                              : QCoreApplication::translate(
                                    "CMolDoc", "ファイルの種類を拡張子から判断できません");
    case MoleculeFile::Status::kOutOfMemory:
        return QCoreApplication::translate("CMolDoc", "分子が大きすぎてメモリに収まりません");
    case MoleculeFile::Status::kCannotOpen:
        return QCoreApplication::translate("CMolDoc", "読み込めませんでした");
    case MoleculeFile::Status::kNotRead:
        // A kind recognised but not read.
        return QCoreApplication::translate("CMolDoc",
                                           "%1 ファイルです。このバージョンでは読み込めません")
            .arg(KindText(kind));
    case MoleculeFile::Status::kNoMolecule:
        break;
    }
    switch (read.reason) {
    case NoMoleculeReason::kNone:
        return QString();
    case NoMoleculeReason::kNoGeometry:
        return kind == FileKind::kPdb
                   ? QCoreApplication::translate("CMolDoc", "ATOM・HETATM レコードがありません")
               : kind == FileKind::kMmcif
                   ? QCoreApplication::translate("CMolDoc", "atom_site の行がありません")
                   : QCoreApplication::translate("CMolDoc", "原子座標が見つかりません");
    case NoMoleculeReason::kUnreadableFormat: {
        const QString problem = QString::fromStdString(read.model->formatProblem);
        switch (kind) {
        case FileKind::kCube:
            return QCoreApplication::translate("CMolDoc", "cube ファイルとして読めません: %1")
                .arg(problem);
        case FileKind::kFchk:
            return QCoreApplication::translate(
                       "CMolDoc", "フォーマット済みチェックポイントファイルとして読めません: %1")
                .arg(problem);
        case FileKind::kMolden:
            return QCoreApplication::translate("CMolDoc", "Molden ファイルとして読めません: %1")
                .arg(problem);
        default:
            return QCoreApplication::translate("CMolDoc", "mmCIF として読めません: %1")
                .arg(problem);
        }
    }
    case NoMoleculeReason::kNoReadableAtoms:
        return QCoreApplication::translate("CMolDoc", "原子の行に読み取れる座標がありません");
    case NoMoleculeReason::kFractionalCoordinates:
        return QCoreApplication::translate(
            "CMolDoc", "原子の位置が結晶格子の分数座標だけで書かれています (小分子の CIF)。"
                       "分数座標は読み込みません");
    case NoMoleculeReason::kNoAtoms:
        return QCoreApplication::translate("CMolDoc", "原子がありません");
    case NoMoleculeReason::kUnresolvedZMatrix:
        return ZMatrixProblemText(read.model->zMatrixProblem);
    }
    return QString();
}

// The kind of file a reader reads, as a message names it.
QString KindText(FileKind kind) {
    switch (kind) {
    case FileKind::kGaussian:
        return QCoreApplication::translate("CMolDoc", "Gaussian");
    case FileKind::kPdb:
        return QCoreApplication::translate("CMolDoc", "PDB");
    case FileKind::kMmcif:
        return QCoreApplication::translate("CMolDoc", "PDBx/mmCIF");
    case FileKind::kXyz:
        return QCoreApplication::translate("CMolDoc", "XYZ");
    case FileKind::kCube:
        return QCoreApplication::translate("CMolDoc", "cube");
    case FileKind::kFchk:
        return QCoreApplication::translate("CMolDoc", "フォーマット済みチェックポイント");
    case FileKind::kMolden:
        return QCoreApplication::translate("CMolDoc", "Molden");
    case FileKind::kOrca:
        return QCoreApplication::translate("CMolDoc", "ORCA");
    default:
        return QString();
    }
}

// "Could not read a molecule: why (name)", or nothing for a molecule.
QString NoMoleculeMessage(const MoleculeFile& read, FileKind kind, const QString& path) {
    const QString reason = NoMoleculeText(read, read.kind != FileKind::kUnknown ? read.kind : kind);
    return reason.isEmpty()
               ? QString()
               : QCoreApplication::translate("CMolDoc", "分子データを読み込めませんでした: %1 (%2)")
                     .arg(reason, LocalPath::DisplayName(path));
}

} // namespace

CMolDoc::CMolDoc()
    : openFilterIndex(Profile::Read(Settings::kFilterIndex)),
      saveFilterIndex(Profile::Read(Settings::kSaveFilterIndex)),
      dispActivePage(Profile::Read(Settings::kDispActivePage)),
      residueDisplayMode(Profile::Read(Settings::kResOn)),
      childMaxWnd(Profile::Read(Settings::kChildMaxWnd)) {
    ReadDrawingSettings(*this, pdbOptions);
    LoadElementData();
    BuildCommands();
    connect(&growthWatcher_, &FileGrowthWatcher::changed, this, &CMolDoc::ReadGrowth);
}

void CMolDoc::ReadDrawingSettings(MolDocState& state, PdbOptions& options) {
    state.warningLevel = Profile::Read(Settings::kWarning);
    state.secondaryFromFile = Profile::Read(Settings::kSecondaryFromFile) != 0;
    state.resolution = Profile::Read(Settings::kResolution);
    state.antialiasing = Profile::Read(Settings::kAntialiasing);
    state.hideAtoms = Profile::Read(Settings::kWireFrameAtomNone);
    state.wireAtomSize = Profile::Read(Settings::kWireFrameAtomSize);
    state.wireBondWidth = Profile::Read(Settings::kWireFrameBondWidth);
    state.ballAtomSize = Profile::Read(Settings::kBallStickAtomSize);
    state.ballBondWidth = Profile::Read(Settings::kBallStickBondWidth);
    state.initStart = Profile::Read(Settings::kInitStart);
    options.conect = Profile::Read(Settings::kProteinConnectCheck);
    options.bondMode = Profile::Read(Settings::kProteinCalcBond);
    state.ComputeDerivedSizes();
}

CMolDoc::~CMolDoc() {
    if (initStart != 0) {
        antialiasing = 1;
        residueDisplayMode = 2;
        resolution = 10;
        pdbOptions.conect = 0;
        pdbOptions.bondMode = 1;
    }
    Profile::Write(Settings::kChildMaxWnd, childMaxWnd);
    Profile::Write(Settings::kFilterIndex, openFilterIndex);
    Profile::Write(Settings::kSaveFilterIndex, saveFilterIndex);
    Profile::Write(Settings::kAntialiasing, antialiasing);
    Profile::Write(Settings::kDispActivePage, dispActivePage);
    Profile::Write(Settings::kResOn, residueDisplayMode);
    Profile::Write(Settings::kResolution, resolution);
    Profile::Write(Settings::kWireFrameAtomNone, hideAtoms);
    Profile::Write(Settings::kWireFrameAtomSize, wireAtomSize);
    Profile::Write(Settings::kWireFrameBondWidth, wireBondWidth);
    Profile::Write(Settings::kBallStickAtomSize, ballAtomSize);
    Profile::Write(Settings::kBallStickBondWidth, ballBondWidth);
    Profile::Write(Settings::kInitStart, initStart);
    Profile::Write(Settings::kProteinConnectCheck, pdbOptions.conect);
    Profile::Write(Settings::kProteinCalcBond, pdbOptions.bondMode);
    Profile::Write(Settings::kWarning, warningLevel);
    Profile::Write(Settings::kSecondaryFromFile, secondaryFromFile ? 1 : 0);
}

bool CMolDoc::OnNewDocument() {
    return Document::OnNewDocument();
}

bool CMolDoc::OnOpenDocument(const QString& path) {
    // A file that cannot be opened or gives no molecule (a pipe nobody writes
    // to, damaged gzip data, a PDB file of remarks only) leaves no window
    // behind: the message says why.
    return OpenAs(path, FileKindFromPath(LocalPath::Bytes(path))) == LoadResult::kLoaded;
}

CMolDoc::LoadResult CMolDoc::OpenAs(const QString& path, FileKind kind, bool offerContentKind) {
    return Document::OnOpenDocument(path) ? LoadPath(path, kind, offerContentKind)
                                          : LoadResult::kNotOpened;
}

FileKind CMolDoc::KindForOpen(int filterIndex, const QString& path) {
    return KindToOpen(FilterAt(OpenFilters(), filterIndex),
                      FileKindFromPath(LocalPath::Bytes(path)));
}

CMolDoc::LoadResult CMolDoc::LoadPath(const QString& path, FileKind kind, bool offerContentKind) {
    if (QFileInfo(path).suffix().compare(QLatin1String(kSessionSuffix), Qt::CaseInsensitive) == 0)
        return LoadSession(path);
    BackgroundOpen::Opened opened = BackgroundOpen::Open(path, DialogParent());
    if (opened.cancelled)
        return LoadResult::kCancelled;
    if (opened.file == nullptr) {
        MessageBox::ShowCannotOpen(DialogParent(), path, QString::fromStdString(opened.error));
        return LoadResult::kNotOpened;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    MoleculeFile read = ReadOpenedMoleculeFile(*opened.file, kind, pdbOptions);
    opened.file.reset();
    QApplication::restoreOverrideCursor();
    // A job that has begun (its output's banner is there) but printed no
    // geometry yet is shown and watched as before; any other text without
    // an end reads as "running" too and must not take the molecule's place.
    const bool running =
        read.model != nullptr && read.model->termination == CMolData::Termination::kRunning &&
        (read.contentKind == FileKind::kGaussian || read.contentKind == FileKind::kOrca);
    if (read.status != MoleculeFile::Status::kMolecule && !running) {
        // Read by a kind its content is not (a filter chosen that does not
        // fit): the kind the content looks like is named and offered, for a
        // file that can be read again. No says why this reading failed.
        const FileKind looks = read.contentKind;
        if (offerContentKind && !read.byContent && looks != read.kind &&
            !KindText(looks).isEmpty() && LocalPath::IsRegularFile(path) &&
            MessageBox::AskYesNo(DialogParent(),
                                 QCoreApplication::translate("CMolDoc",
                                                             "%1 は %2 ファイルのようです。\n%2 "
                                                             "ファイルとして読み込みますか?")
                                     .arg(LocalPath::DisplayName(path), KindText(looks))))
            return LoadPath(path, looks);
        // A file that gives no molecule leaves the one shown (or none), with
        // its views and panels, as it was; the message says why. One its
        // reader understood was read, so it stays among the recent files.
        MessageBox::ShowAboutFile(DialogParent(), NoMoleculeMessage(read, kind, path));
        if (read.model != nullptr && read.reason != NoMoleculeReason::kUnresolvedZMatrix)
            emit fileLoaded(path);
        return LoadResult::kNoMolecule;
    }
    Load(path, kind, std::move(read));
    return LoadResult::kLoaded;
}

CMolDoc::LoadResult CMolDoc::LoadSession(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox::ShowCannotOpen(DialogParent(), path, file.errorString());
        return LoadResult::kNotOpened;
    }
    SessionFile session;
    QString error;
    if (!SessionFile::FromJson(file.readAll(), session, error)) {
        MessageBox::ShowAboutFile(
            DialogParent(),
            QCoreApplication::translate("CMolDoc", "%1 はセッションとして読めません: %2")
                .arg(LocalPath::DisplayName(path), error));
        return LoadResult::kNoMolecule;
    }
    const QString structure = session.StructureFor(path);
    if (structure.isEmpty()) {
        MessageBox::ShowAboutFile(DialogParent(),
                                  QCoreApplication::translate(
                                      "CMolDoc", "セッション %1 の構造ファイル %2 が見つかりません")
                                      .arg(LocalPath::DisplayName(path), session.structurePath));
        return LoadResult::kNoMolecule;
    }
    if (!session.SameStructure(structure))
        MessageBox::Show(DialogParent(),
                         QCoreApplication::translate(
                             "CMolDoc",
                             "構造ファイル %1 はセッションを保存した後に変わっています。\n"
                             "表示は保存したときと同じでないかもしれません。")
                             .arg(LocalPath::DisplayName(structure)),
                         MessageBox::kWarning);
    const LoadResult result = LoadPath(structure, FileKindFromPath(LocalPath::Bytes(structure)));
    if (result != LoadResult::kLoaded || data == nullptr)
        return result;
    ChooseFrame(session.frame);
    if (session.hasDocumentPart) {
        if (data->GetFrame(0)->residueCount > 0)
            residues = session.residues;
        secondaryFromFile = session.secondaryFromFile;
    }
    sessionView = std::make_shared<const ViewState>(session.view);
    sessionLoad = loadCount;
    if (session.hasSurfacePart) {
        // Grids evaluated from the orbitals are evaluated again, with the
        // progress dialog; what cannot be made again is said.
        const QStringList problems =
            GridSources::Restore(DialogParent(), *this, session.SurfaceFor(path));
        if (!problems.isEmpty())
            MessageBox::Show(
                DialogParent(),
                QCoreApplication::translate("CMolDoc",
                                            "セッション %1 の格子のうち作れなかったもの:\n%2")
                    .arg(LocalPath::DisplayName(path), problems.join(QLatin1Char('\n'))),
                MessageBox::kWarning);
    }
    UpdateAllViews(nullptr);
    return result;
}

bool CMolDoc::SaveSession(const QString& path) {
    CMolView* shown = nullptr;
    for (View* view : GetViews()) {
        if ((shown = dynamic_cast<CMolView*>(view)) != nullptr)
            break;
    }
    if (shown == nullptr || openedPath.isEmpty() || !LocalPath::Exists(openedPath)) {
        MessageBox::ShowCannotSave(
            DialogParent(), path,
            QCoreApplication::translate("CMolDoc",
                                        "セッションには読み込んだ構造ファイルが要ります"));
        return false;
    }
    const QByteArray json = SessionFile::Of(shown->state, *this, openedPath, path).ToJson();
    std::string error;
    const bool written = WriteFileAtomically(
        LocalPath::Bytes(path),
        std::string_view(json.constData(), static_cast<std::size_t>(json.size())), error);
    if (!written)
        MessageBox::ShowCannotSave(DialogParent(), path, QString::fromStdString(error));
    return written;
}

void CMolDoc::Load(const QString& path, FileKind kind, MoleculeFile read) {
    pdbSavePath.clear();
    rpdSavePath.clear();
    // The model is replaced: an animation stepping through the old one ends
    // first (the views stop their timers when they are updated), and every
    // view refits to what comes now.
    animating = 0;
    follower_.reset();
    data.reset();
    surface = SurfaceState();
    grids.clear();
    ++loadCount;
    SetTitle(QString());
    growthWatcher_.Stop();

    if (read.byContent)
        kind = read.kind;
    openedPath = path;
    openedKind_ = kind;
    const QString fileName = LocalPath::DisplayName(path);
    loadMessage = NoMoleculeMessage(read, kind, path);
    const bool molecule = loadMessage.isEmpty();
    if (molecule && read.skippedLines > 0)
        loadMessage =
            QCoreApplication::translate("CMolDoc", "読み取れない原子の行を %1 行飛ばしました (%2)")
                .arg(read.skippedLines)
                .arg(fileName);
    if (molecule && read.model != nullptr && read.model->fileModels > 1 &&
        read.model->frameCount == 1)
        loadMessage =
            QCoreApplication::translate(
                "CMolDoc", "モデルごとに原子が異なるため、%1 モデルのうち最初のモデルだけを"
                           "読み込みました (%2)")
                .arg(read.model->fileModels)
                .arg(fileName);
    // A file its reader understood names the window and joins the recent
    // files even when it holds no geometry; a Z-matrix that gives no
    // coordinates does neither.
    if (read.model == nullptr || read.reason == NoMoleculeReason::kUnresolvedZMatrix)
        return;
    data = std::move(read.model);
    follower_ = std::move(read.follower);
    // What was shown of the model before means nothing in this one.
    chosenFrame = data->firstShownFrame;
    residues = ResidueVisibility();
    if (!data->wavefunctionProblem.empty())
        loadMessage = QCoreApplication::translate("CMolDoc", "軌道を読み込めませんでした: %1 (%2)")
                          .arg(QString::fromStdString(data->wavefunctionProblem), fileName);
    else if (!data->modesProblem.empty())
        loadMessage =
            QCoreApplication::translate("CMolDoc", "基準振動を読み込めませんでした: %1 (%2)")
                .arg(QString::fromStdString(data->modesProblem), fileName);
    else if (data->sourceKind == CMolData::SourceKind::kFchk && data->wavefunction == nullptr)
        loadMessage = QCoreApplication::translate(
                          "CMolDoc", "軌道係数がないため、軌道と密度は表示できません (%1)")
                          .arg(fileName);
    // A grid read from the file shows as its isosurface at once.
    for (std::size_t v = 0; v < data->volumes.size(); ++v)
        grids.push_back(DocumentGrid::OfFile(data->volumes[v], static_cast<int>(v)));
    if (!grids.empty()) {
        surface.volume = grids.front().grid;
        surface.isovalue = SurfaceState::DefaultIsovalue(*surface.volume);
        surface.Update();
    }
    SetTitle(fileName);
    const auto dot = fileName.lastIndexOf(QLatin1Char('.'));
    baseName = dot > 0 ? fileName.left(dot) : fileName;
    loaded = 1;
    emit fileLoaded(path);
    // An output may still be written to by its job; one that has printed no
    // geometry yet is watched until it does.
    if (data->termination != CMolData::Termination::kNotAnOutput) {
        followJob = data->termination == CMolData::Termination::kRunning;
        // A pipe's bytes were all read at once, and a compressed file
        // cannot grow in place: there is nothing to watch.
        if ((data->frameCount > 0 || followJob) && !read.compressed &&
            LocalPath::IsRegularFile(path))
            growthWatcher_.Watch(path);
    }
    if (data->frameCount == 0) {
        loaded = 0;
        follower_.reset();
        data.reset();
    }
}

void CMolDoc::ReadGrowth() {
    // Only the regular file it was, looked at without waiting: a pipe or a
    // compressed file put in its place is not read (a pipe would hold the
    // window until its writer ends).
    StdioFile file;
    if (!file.Open(LocalPath::Bytes(openedPath), StdioFile::modeFollow))
        return; // gone for now: what was read stays shown
    LogFollower::Growth growth;
    growth.readAgain = true; // nothing shown yet
    try {
        if (follower_ != nullptr && &follower_->Model() == data.get())
            growth = follower_->ReadAppended(&file);
    } catch (const std::bad_alloc&) {
        growthWatcher_.Stop();
        loadMessage =
            QCoreApplication::translate("CMolDoc", "追加されたステップがメモリに収まりません (%1)")
                .arg(LocalPath::DisplayName(openedPath));
        UpdateAllViews(nullptr);
        return;
    }
    file.Close();
    if (growth.readAgain) {
        // A new job writing to the same name: shown once it has a geometry;
        // until then the old one stays.
        MoleculeFile read = ReadMoleculeFile(LocalPath::Bytes(openedPath), openedKind_, pdbOptions,
                                             StdioFile::modeFollow);
        if (read.status == MoleculeFile::Status::kMolecule) {
            Load(openedPath, openedKind_, std::move(read));
            UpdateAllViews(nullptr);
        }
        return;
    }
    if (!growth.changed)
        return;
    if (followJob && growth.newFrames > 0 && animating == 0)
        ChooseFrame(data->frameCount - 1);
    UpdateAllViews(nullptr);
}

void CMolDoc::OnFileOpen() {
    const FileFilter filter(QString::fromStdString(FilterString(OpenFilters())));
    const FileDialog::Result chosen = FileDialog::Run(DialogParent(), FileDialog::kOpen, filter,
                                                      openFilterIndex, QString(), Folder());
    if (chosen.accepted) {
        const LoadResult result =
            LoadPath(chosen.path, KindForOpen(chosen.filterIndex, chosen.path), true);
        if ((result == LoadResult::kLoaded || result == LoadResult::kNoMolecule) &&
            chosen.filterIndex > 0)
            openFilterIndex = chosen.filterIndex;
    }
    UpdateAllViews(nullptr);
}

void CMolDoc::OnProgramSettings() {
    PropertySheet sheet(QCoreApplication::translate("CMolDoc", "設定"), DialogParent());
    auto* general = new CPropGeneralPage;
    auto* pdb = new CPropPDBPage;
    sheet.AddPage(general);
    sheet.AddPage(pdb);
    general->initStart = initStart;
    general->childMaxWnd = childMaxWnd;
    general->warningLevel = warningLevel;
    general->language = Profile::Read(Settings::kLanguage);
    general->openAlongAxes = Profile::Read(Settings::kOpenAlongAxes);
    pdb->useConect = pdbOptions.conect;
    pdb->fastProteinList = pdbOptions.bondMode == 1 ? 1 : 0;
    if (sheet.DoModal() == QDialog::Accepted) {
        initStart = general->initStart;
        childMaxWnd = general->childMaxWnd;
        warningLevel = general->warningLevel;
        // The language is the program's, not the document's: stored at once
        // for the next start.
        Profile::Write(Settings::kLanguage, general->language);
        // So is the turn of the files opened next, in any window.
        Profile::Write(Settings::kOpenAlongAxes, general->openAlongAxes);
        pdbOptions.conect = pdb->useConect;
        pdbOptions.bondMode = pdb->fastProteinList != 0 ? 1 : 0;
    }
    UpdateAllViews(nullptr);
}

void CMolDoc::OnDisplaySettings() {
    CDispSheet sheet(DialogParent());
    auto* general = new CDispGeneralPage;
    auto* residuePage = new CDispResPage;
    sheet.AddPage(general);
    sheet.AddPage(residuePage);
    general->frameCount = data->frameCount;
    general->currentFrame = chosenFrame;
    general->antialiasing = antialiasing;
    general->resolution = resolution;
    general->saveAnimationImages = saveAnimationImages;
    general->animationStartNumber = animationStartNumber;
    general->animationTitle = QString::fromStdString(animationTitle);
    general->hideAtoms = hideAtoms;
    general->wireAtomSize = wireAtomSize;
    general->wireBondWidth = wireBondWidth;
    general->ballAtomSize = ballAtomSize;
    general->ballBondWidth = ballBondWidth;
    residuePage->displayMode = residueDisplayMode;
    residuePage->residueLabels = data->GetResidueLabels(0);
    for (const ResidueId& id : data->GetFrame(0)->residueIds)
        residuePage->residueChains.push_back(id.chain);
    residuePage->selectedResidues = residues.Selected();
    // The active page is filled from the members before it shows.
    sheet.SetActivePage(dispActivePage);
    if (sheet.DoModal() == QDialog::Accepted) {
        ChooseFrame(general->currentFrame);
        antialiasing = general->antialiasing;
        resolution = general->resolution;
        saveAnimationImages = general->saveAnimationImages;
        animationStartNumber = general->animationStartNumber;
        animationTitle = general->animationTitle.toStdString();
        hideAtoms = general->hideAtoms;
        wireAtomSize = general->wireAtomSize;
        wireBondWidth = general->wireBondWidth;
        ballAtomSize = general->ballAtomSize;
        ballBondWidth = general->ballBondWidth;
        ComputeDerivedSizes();
        // Every model of an ensemble holds the same residues: the choice
        // shows in each. A model without residues shows every atom anyway.
        if (data->GetFrame(0)->residueCount > 0)
            residues = ResidueVisibility(residuePage->selectedResidues, residuePage->displayMode);
        residueDisplayMode = residuePage->displayMode;
        dispActivePage = sheet.activePage;
    }
    UpdateAllViews(nullptr);
}

void CMolDoc::OnPeptideStructure() {
    ComputeBackboneAngles(*data, 0);
    emit plotRequested();
}

QString CMolDoc::Folder() const {
    const QString path = !openedPath.isEmpty() ? openedPath : GetPathName();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

void CMolDoc::BuildCommands() {
    using namespace CommandIds;
    commands_.Add(kFileOpen, [this] { OnFileOpen(); });
    commands_.Add(kFileSaveAs, [this] { OnFileSaveAs(); });
    commands_.Add(kFileSave, [this] { OnFileSave(); });
    commands_.Add(kProgramSettings, [this] { OnProgramSettings(); });
    commands_.AddEnabled(
        kDisplaySettings, [this] { OnDisplaySettings(); }, [this] { return data != nullptr; });
    commands_.AddEnabled(
        kPeptideStructure, [this] { OnPeptideStructure(); },
        [this] { return data != nullptr && data->sourceKind == CMolData::SourceKind::kPdb; });
    commands_.AddEnabled(
        kReactionPath, [this] { emit pathRequested(); },
        [this] { return data != nullptr && !data->path.Empty(); });
    commands_.AddEnabled(
        kOptimisationChart, [this] { emit chartRequested(); },
        [this] {
            if (data == nullptr || !data->HasSteps())
                return false;
            for (int g = 0; g < data->frameCount; ++g) {
                const CMolFrame& frame = *data->GetFrame(g);
                if (std::isfinite(frame.energy) || frame.convergence.Any())
                    return true;
            }
            return false;
        });
    commands_.Add(
        kFollowJob,
        [this] {
            followJob = !followJob;
            if (followJob && data != nullptr && animating == 0) {
                ChooseFrame(data->frameCount - 1);
                UpdateAllViews(nullptr);
            }
        },
        [this](CommandUpdate& update) {
            update.Enable(!growthWatcher_.Path().isEmpty());
            update.SetCheck(followJob);
        });
    commands_.Add(
        kSecondaryFromFile,
        [this] {
            secondaryFromFile = !secondaryFromFile;
            UpdateAllViews(nullptr);
        },
        [this](CommandUpdate& update) {
            update.Enable(data != nullptr && !data->secondaryRecords.empty());
            update.SetCheck(secondaryFromFile);
        });
    // A spectrum window opens on its kind when the model has data for it.
    for (const auto& [id, kind] : {std::pair{kIrSpectrum, Spectrum::Kind::kIr},
                                   std::pair{kRamanSpectrum, Spectrum::Kind::kRaman},
                                   std::pair{kUvVisSpectrum, Spectrum::Kind::kUvVis},
                                   std::pair{kNmrSpectrum, Spectrum::Kind::kNmr}}) {
        commands_.AddEnabled(
            id, [this, kind = kind] { emit spectrumRequested(static_cast<int>(kind)); },
            [this, kind = kind] {
                const std::vector<Spectrum::Kind> kinds =
                    CSpectrumView::KindsOf(data.get(), chosenFrame);
                return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
            });
    }
}

bool CMolDoc::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

// Saving.

const FileFormat* CMolDoc::WriterFor(const QString& path, int filterIndex) {
    return FormatToSave(FilterAt(SaveFilters(), filterIndex),
                        QFileInfo(path).suffix().toStdString());
}

bool CMolDoc::WriteWith(FileFormat::Writer writer, const QString& path,
                        const std::string& keywords) {
    const CMolData& mol = *data;
    // The geometry the document has chosen, the atoms it shows.
    WrittenGeometry what(chosenFrame, residues);
    what.jobKeywords = keywords;
    const std::string target = LocalPath::Bytes(path);
    std::string refusal; // why a writer would not write this model
    const auto write = [&](StdioFile& file) { return writer(mol, what, &file, target, &refusal); };
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = WriteFileAtomically(target, write, error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        MessageBox::ShowCannotSave(DialogParent(), path,
                                   QString::fromStdString(refusal.empty() ? error : refusal));
        return false;
    }
    return true;
}

bool CMolDoc::SaveAs(const QString& path, int filterIndex) {
    const DialogFilter* filter = FilterAt(SaveFilters(), filterIndex);
    if ((filter != nullptr && filter->session) ||
        QFileInfo(path).suffix().compare(QLatin1String(kSessionSuffix), Qt::CaseInsensitive) == 0)
        return SaveSession(path);
    const FileFormat* format = WriterFor(path, filterIndex);
    if (format == nullptr) {
        MessageBox::Show(DialogParent(),
                         QCoreApplication::translate(
                             "CMolDoc", "%1 の拡張子から保存形式を決められません。\n"
                                        ".com, .gjf, .pdb, .ent, .rpd のいずれかを付けてください。")
                             .arg(LocalPath::DisplayName(path)),
                         MessageBox::kWarning);
        return false;
    }
    const std::string_view name = format->name;
    std::string keywords;
    if (name == "orca-input") {
        const QString line = AskOrcaKeywords();
        if (line.isNull())
            return false;
        keywords = line.toStdString();
    }
    if (!WriteWith(format->write, path, keywords))
        return false;
    // What plain Save rewrites afterwards.
    if (name == "com")
        comSavePath = path;
    else if (name == "pdb")
        pdbSavePath = path;
    else if (name == "rpd")
        rpdSavePath = path;
    return true;
}

QString CMolDoc::AskOrcaKeywords() {
    static const QString kSection = QStringLiteral("ORCA Input");
    static const QString kKey = QStringLiteral("Keywords");
    QInputDialog dialog(DialogParent());
    dialog.setWindowTitle(QCoreApplication::translate("CMolDoc", "ORCA 入力ファイル"));
    dialog.setLabelText(
        QCoreApplication::translate("CMolDoc", "キーワード行 (メソッド、基底関数、計算の種類):"));
    dialog.setTextValue(
        Profile::GetString(kSection, kKey, QString::fromLatin1(kDefaultOrcaKeywords)));
    dialog.resize(std::max(dialog.sizeHint().width(), 480), dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString line = dialog.textValue().trimmed();
    Profile::WriteString(kSection, kKey, line);
    return line.isNull() ? QStringLiteral("") : line;
}

void CMolDoc::OnFileSaveAs() {
    if (data == nullptr)
        return;
    const FileFilter filter(QString::fromStdString(FilterString(SaveFilters())));
    const FileDialog::Result chosen = FileDialog::Run(DialogParent(), FileDialog::kSave, filter,
                                                      saveFilterIndex, baseName, Folder());
    if (chosen.accepted) {
        if (chosen.filterIndex > 0)
            saveFilterIndex = chosen.filterIndex;
        QString path = chosen.path;
        const DialogFilter* chosenFilter = FilterAt(SaveFilters(), chosen.filterIndex);
        if (!LocalPath::FileName(path).contains(QLatin1Char('.')) && chosenFilter != nullptr &&
            (!chosenFilter->formats.empty() || chosenFilter->session)) {
            path +=
                QLatin1Char('.') +
                QLatin1String(chosenFilter->session
                                  ? kSessionSuffix
                                  : FormatNamed(chosenFilter->formats.front())->extensions.front());
            // The dialog asked about the name as typed; the file that will
            // really be replaced is asked about here.
            if (LocalPath::Exists(path) &&
                !MessageBox::AskYesNo(
                    DialogParent(),
                    QCoreApplication::translate("CMolDoc", "%1 は既に存在します。\n上書きしますか?")
                        .arg(LocalPath::DisplayName(path)))) {
                UpdateAllViews(nullptr);
                return;
            }
        }
        SaveAs(path, chosen.filterIndex);
    }
    UpdateAllViews(nullptr);
}

void CMolDoc::OnFileSave() {
    if (data != nullptr && !pdbSavePath.isEmpty())
        WriteWith(FormatNamed("pdb-short")->write, pdbSavePath);
    else if (data != nullptr && !rpdSavePath.isEmpty())
        WriteWith(WritePlotLines, rpdSavePath);
    else
        OnFileSaveAs();
}
