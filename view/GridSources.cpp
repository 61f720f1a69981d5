#include "view/GridSources.h"

#include "formats/ReadMolecule.h"
#include "model/Wavefunction.h"
#include "platform/BackgroundOpen.h"
#include "platform/LocalPath.h"
#include "render/MolDocState.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

GridSources::Made GridSources::Evaluate(QWidget* parent,
                                        const std::shared_ptr<const Wavefunction>& w,
                                        const VolumeRequest& request, double spacing,
                                        double margin) {
    Made made;
    std::vector<Point3D> centres;
    for (const BasisShell& shell : w->basis.Shells())
        centres.push_back(shell.centre);
    std::string why;
    VolumeGrid grid = GridAround(centres, margin, spacing, &why);
    if (grid.Count() == 0) {
        made.why = QCoreApplication::translate("COrbitalPanel", "格子を作れません: %1")
                       .arg(QString::fromStdString(why));
        return made;
    }
    EvaluationControl control;
    std::atomic<bool> done{false};
    bool ok = false;
    // The wavefunction is held by the caller's pointer for as long as this
    // runs: the document may close meanwhile.
    std::thread worker([&] {
        ok = EvaluateOnGrid(*w, request, grid, &control, &why);
        done = true;
    });
    QProgressDialog progress(QCoreApplication::translate("COrbitalPanel", "%1 を計算しています...")
                                 .arg(QString::fromStdString(request.Name())),
                             QCoreApplication::translate("COrbitalPanel", "キャンセル"), 0, 100,
                             parent);
    progress.setObjectName(QStringLiteral("evaluationProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    while (!done) {
        const int slabs = control.slabs;
        progress.setValue(slabs > 0 ? control.slabsDone * 100 / slabs : 0);
        // Until the dialog shows (and its modality keeps the windows from
        // input) nothing the user does is taken: no second evaluation, no
        // other window, while this one runs.
        QApplication::processEvents(
            progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 30);
        if (progress.wasCanceled())
            control.cancel = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    worker.join();
    progress.reset();
    if (!ok) {
        made.cancelled = control.cancel && why == "cancelled";
        if (!made.cancelled)
            made.why = QCoreApplication::translate("COrbitalPanel", "計算できませんでした: %1")
                           .arg(QString::fromStdString(why));
        return made;
    }
    made.grid = std::make_shared<const VolumeGrid>(std::move(grid));
    return made;
}

GridSources::Read GridSources::ReadCube(QWidget* parent, const QString& path) {
    Read read;
    BackgroundOpen::Opened opened = BackgroundOpen::Open(path, parent);
    if (opened.cancelled) {
        read.cancelled = true;
        return read;
    }
    if (opened.file == nullptr) {
        read.openError = QString::fromStdString(opened.error);
        read.why = QStringLiteral("%1: %2").arg(LocalPath::Display(path), read.openError);
        return read;
    }
    const MoleculeFile file = ReadOpenedMoleculeFile(*opened.file, FileKind::kCube, PdbOptions());
    if (file.model == nullptr || file.model->volumes.empty()) {
        read.why = QString::fromStdString(file.Describe(LocalPath::Display(path).toStdString()));
        return read;
    }
    read.grids = file.model->volumes;
    return read;
}

GridSources::Kept GridSources::KeptOf(const MolDocState& state) {
    Kept kept;
    kept.grids = state.grids;
    for (DocumentGrid& grid : kept.grids)
        grid.grid.reset();
    kept.shown = state.GridIndex(state.surface.volume);
    kept.colouredBy = state.GridIndex(state.surface.colourVolume);
    kept.isovalue = state.surface.isovalue;
    kept.translucent = state.surface.translucent;
    kept.colourRange = state.surface.colourRange;
    return kept;
}

QStringList GridSources::Restore(QWidget* parent, MolDocState& state, const Kept& kept) {
    QStringList problems;
    if (state.data == nullptr)
        return problems;
    // The grids as kept, in order; a null one could not be made again.
    std::vector<DocumentGrid> made;
    std::map<std::string, Read> cubes;
    for (const DocumentGrid& source : kept.grids) {
        DocumentGrid grid = source;
        switch (source.origin) {
        case DocumentGrid::Origin::kFile:
            if (source.index >= 0 && source.index < static_cast<int>(state.data->volumes.size()))
                grid.grid = state.data->volumes[static_cast<std::size_t>(source.index)];
            else
                problems << QCoreApplication::translate("COrbitalPanel",
                                                        "ファイルの格子 %1 がありません")
                                .arg(source.index + 1);
            break;
        case DocumentGrid::Origin::kCube: {
            // A cube file of several grids is read once.
            auto cube = cubes.find(source.path);
            if (cube == cubes.end())
                cube =
                    cubes
                        .emplace(source.path, ReadCube(parent, QString::fromStdString(source.path)))
                        .first;
            const Read& read = cube->second;
            if (source.index >= 0 && source.index < static_cast<int>(read.grids.size()))
                grid.grid = read.grids[static_cast<std::size_t>(source.index)];
            else if (!read.why.isEmpty()) {
                if (!problems.contains(read.why))
                    problems << read.why;
            } else if (!read.cancelled)
                problems << QCoreApplication::translate("COrbitalPanel",
                                                        "%1 に格子 %2 がありません")
                                .arg(LocalPath::Display(QString::fromStdString(source.path)))
                                .arg(source.index + 1);
            break;
        }
        case DocumentGrid::Origin::kComputed: {
            if (state.data->wavefunction == nullptr) {
                problems << QCoreApplication::translate("COrbitalPanel",
                                                        "%1: このファイルには軌道係数がありません")
                                .arg(QString::fromStdString(source.request.Name()));
                break;
            }
            const Made evaluated = Evaluate(parent, state.data->wavefunction, source.request,
                                            source.spacing, source.margin);
            grid.grid = evaluated.grid;
            if (!evaluated.why.isEmpty())
                problems << evaluated.why;
            break;
        }
        }
        made.push_back(std::move(grid));
    }
    // The indices kept name grids among all kept; those made keep their
    // place among themselves.
    const auto placed = [&made](int at) -> std::shared_ptr<const VolumeGrid> {
        return at >= 0 && at < static_cast<int>(made.size())
                   ? made[static_cast<std::size_t>(at)].grid
                   : nullptr;
    };
    SurfaceState surface;
    surface.volume = placed(kept.shown);
    surface.colourVolume = placed(kept.colouredBy);
    surface.isovalue = kept.isovalue;
    surface.translucent = kept.translucent;
    surface.colourRange = kept.colourRange;
    state.grids.clear();
    for (DocumentGrid& grid : made) {
        if (grid.grid != nullptr)
            state.grids.push_back(std::move(grid));
    }
    state.surface = std::move(surface);
    state.surface.Update();
    return problems;
}
