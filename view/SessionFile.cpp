#include "view/SessionFile.h"

#include "model/CMolData.h"
#include "render/MolDocState.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

template <typename Number> QJsonArray ArrayOf(const Number* values, int count) {
    QJsonArray array;
    for (int k = 0; k < count; ++k)
        array.append(static_cast<double>(values[k]));
    return array;
}

template <typename Number> void Fill(const QJsonValue& value, Number* into, int count) {
    const QJsonArray array = value.toArray();
    if (array.size() != count)
        return;
    for (int k = 0; k < count; ++k)
        into[k] = static_cast<Number>(array[k].toDouble(static_cast<double>(into[k])));
}

QJsonArray AtomsOf(const std::vector<int>& atoms) {
    QJsonArray array;
    for (const int a : atoms)
        array.append(a);
    return array;
}

std::vector<int> Atoms(const QJsonValue& value) {
    std::vector<int> atoms;
    for (const QJsonValue& atom : value.toArray())
        atoms.push_back(atom.toInt(-1));
    return atoms;
}

QJsonObject RowOf(const Representation& row) {
    return {{"selection", QString::fromStdString(row.selection)},
            {"style", Representation::StyleWord(row.style)},
            {"colouring", Representation::ColouringWord(row.colouring)},
            {"colour", ArrayOf(row.colour.data(), 4)},
            {"carbonColoured", row.carbonColoured},
            {"visible", row.visible},
            {"followsMenus", row.followsMenus}};
}

Representation RowFrom(const QJsonObject& object) {
    Representation row;
    row.selection = object.value("selection").toString(QStringLiteral("all")).toStdString();
    Representation::StyleOfWord(object.value("style").toString().toStdString(), row.style);
    Representation::ColouringOfWord(object.value("colouring").toString().toStdString(),
                                    row.colouring);
    Fill(object.value("colour"), row.colour.data(), 4);
    row.carbonColoured = object.value("carbonColoured").toBool(false);
    row.visible = object.value("visible").toBool(true);
    row.followsMenus = object.value("followsMenus").toBool(false);
    return row;
}

constexpr const char* kQuantityWords[] = {"orbital", "density", "spin density"};

QJsonObject GridOf(const DocumentGrid& grid, const QString& relativePath) {
    switch (grid.origin) {
    case DocumentGrid::Origin::kFile:
        return {{"from", "file"}, {"index", grid.index}};
    case DocumentGrid::Origin::kCube:
        return {{"from", "cube"},
                {"path", QString::fromStdString(grid.path)},
                {"relativePath", relativePath},
                {"index", grid.index}};
    case DocumentGrid::Origin::kComputed:
        return {{"from", "computed"},
                {"quantity", kQuantityWords[static_cast<int>(grid.request.quantity)]},
                {"orbital", grid.request.orbital},
                {"beta", grid.request.beta},
                {"spacing", grid.spacing},
                {"margin", grid.margin}};
    }
    return {};
}

// False for a grid of a kind this version does not know (passed over).
bool GridFrom(const QJsonObject& object, DocumentGrid& grid, QString& relativePath) {
    const QString from = object.value("from").toString();
    grid.index = object.value("index").toInt(0);
    if (from == QLatin1String("file"))
        return true;
    if (from == QLatin1String("cube")) {
        grid.origin = DocumentGrid::Origin::kCube;
        grid.path = object.value("path").toString().toStdString();
        relativePath = object.value("relativePath").toString();
        return true;
    }
    if (from != QLatin1String("computed"))
        return false;
    grid.origin = DocumentGrid::Origin::kComputed;
    const QString quantity = object.value("quantity").toString();
    int q = 0;
    while (q < 3 && quantity != QLatin1String(kQuantityWords[q]))
        ++q;
    if (q == 3)
        return false;
    grid.request.quantity = static_cast<VolumeRequest::Quantity>(q);
    grid.request.orbital = object.value("orbital").toInt(1);
    grid.request.beta = object.value("beta").toBool(false);
    grid.spacing = object.value("spacing").toDouble(0.0);
    grid.margin = object.value("margin").toDouble(0.0);
    return true;
}

} // namespace

SessionFile SessionFile::Of(const ViewState& view, const MolDocState& document,
                            const QString& structure, const QString& path) {
    SessionFile session;
    session.residues = document.residues;
    session.secondaryFromFile = document.secondaryFromFile;
    session.hasDocumentPart = true;
    session.surface = GridSources::KeptOf(document);
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const DocumentGrid& grid : session.surface.grids)
        session.gridRelativePaths.push_back(
            grid.origin == DocumentGrid::Origin::kCube
                ? folder.relativeFilePath(QString::fromStdString(grid.path))
                : QString());
    session.hasSurfacePart = true;
    const QFileInfo file(structure);
    session.structurePath = file.absoluteFilePath();
    session.relativePath = QFileInfo(path).absoluteDir().relativeFilePath(session.structurePath);
    session.structureSize = file.size();
    session.sha256 = Sha256Of(structure);
    session.frame = view.frame;
    session.view = view;
    return session;
}

QByteArray SessionFile::Sha256Of(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QByteArray SessionFile::ToJson() const {
    const Camera& camera = view.camera;
    QJsonArray rows, measurements;
    for (const Representation& row : view.representations)
        rows.append(RowOf(row));
    for (const Measurement& measurement : view.measurements)
        measurements.append(AtomsOf(measurement.atoms));
    QJsonArray grids;
    for (std::size_t g = 0; g < surface.grids.size(); ++g)
        grids.append(GridOf(surface.grids[g],
                            g < gridRelativePaths.size() ? gridRelativePaths[g] : QString()));
    QJsonObject selections;
    for (const auto& [name, mask] : view.namedSelections) {
        std::vector<int> atoms;
        for (std::size_t a = 0; a < mask.size(); ++a) {
            if (mask[a] != 0)
                atoms.push_back(static_cast<int>(a));
        }
        selections.insert(QString::fromStdString(name), AtomsOf(atoms));
    }
    const QJsonObject root{
        {"format", "ravek-session"},
        {"version", kVersion},
        {"structure", QJsonObject{{"path", structurePath},
                                  {"relativePath", relativePath},
                                  {"size", static_cast<double>(structureSize)},
                                  {"sha256", QString::fromLatin1(sha256)}}},
        {"frame", frame},
        {"camera",
         QJsonObject{{"orientation", ArrayOf(camera.orientation.data(), 16)},
                     {"zoom", camera.zoom},
                     {"fitScale", camera.fitScale},
                     {"centre", QJsonArray{camera.centre.x, camera.centre.y, camera.centre.z}}}},
        {"display", QJsonObject{{"flags", view.displayFlags},
                                {"colourScheme", view.colourMode},
                                {"showHydrogens", view.showHydrogens},
                                {"cartoonHelixCylinders", view.cartoonHelixCylinders},
                                {"cartoonLigands", view.cartoonLigands},
                                {"cartoonWaters", view.cartoonWaters},
                                {"overlayModels", view.overlayModels},
                                {"mode", view.mode},
                                {"arrowScale", view.arrowScale}}},
        {"colours", QJsonObject{{"background", ArrayOf(view.backgroundColour, 3)},
                                {"labels", ArrayOf(view.labelColour, 3)},
                                {"labelsInElementColour", view.labelsInElementColour},
                                {"labelOutlines", view.labelOutlines}}},
        {"representations", rows},
        {"selections", selections},
        {"labels", AtomsOf({view.labelledAtoms.begin(), view.labelledAtoms.end()})},
        {"measurements", measurements},
        {"document", QJsonObject{{"residues", AtomsOf(residues.Selected())},
                                 {"residueMode", static_cast<int>(residues.GetMode())},
                                 {"secondaryFromFile", secondaryFromFile}}},
        {"surface", QJsonObject{{"grids", grids},
                                {"shown", surface.shown},
                                {"colouredBy", surface.colouredBy},
                                {"isovalue", surface.isovalue},
                                {"translucent", surface.translucent},
                                {"colourRange", ArrayOf(surface.colourRange.data(), 2)}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool SessionFile::FromJson(const QByteArray& json, SessionFile& session, QString& error) {
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    const QJsonObject root = document.object();
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error =
            QStringLiteral("not JSON (%1 at byte %2)").arg(parse.errorString()).arg(parse.offset);
        return false;
    }
    if (root.value("format").toString() != QLatin1String("ravek-session")) {
        error = QStringLiteral("no RAVEK session (its \"format\" is not \"ravek-session\")");
        return false;
    }
    session = SessionFile();
    session.version = root.value("version").toInt(0);
    if (session.version < 1) {
        error = QStringLiteral("the session has no version");
        return false;
    }
    const QJsonObject structure = root.value("structure").toObject();
    session.structurePath = structure.value("path").toString();
    session.relativePath = structure.value("relativePath").toString();
    session.structureSize = static_cast<qint64>(structure.value("size").toDouble(-1));
    session.sha256 = structure.value("sha256").toString().toLatin1();
    if (session.structurePath.isEmpty() && session.relativePath.isEmpty()) {
        error = QStringLiteral("the session names no structure file");
        return false;
    }
    session.frame = std::max(0, root.value("frame").toInt(0));
    ViewState& view = session.view;
    view.frame = session.frame;
    const QJsonObject camera = root.value("camera").toObject();
    Fill(camera.value("orientation"), view.camera.orientation.data(), 16);
    view.camera.zoom = camera.value("zoom").toDouble(view.camera.zoom);
    view.camera.fitScale = camera.value("fitScale").toDouble(view.camera.fitScale);
    double centre[3] = {0, 0, 0};
    Fill(camera.value("centre"), centre, 3);
    view.camera.centre = {centre[0], centre[1], centre[2]};
    const QJsonObject display = root.value("display").toObject();
    view.displayFlags = display.value("flags").toInt(view.displayFlags);
    view.colourMode = display.value("colourScheme").toInt(view.colourMode);
    view.showHydrogens = display.value("showHydrogens").toInt(view.showHydrogens);
    view.cartoonHelixCylinders =
        display.value("cartoonHelixCylinders").toBool(view.cartoonHelixCylinders);
    view.cartoonLigands = display.value("cartoonLigands").toBool(view.cartoonLigands);
    view.cartoonWaters = display.value("cartoonWaters").toBool(view.cartoonWaters);
    view.overlayModels = display.value("overlayModels").toBool(view.overlayModels);
    view.mode = display.value("mode").toInt(view.mode);
    view.arrowScale = display.value("arrowScale").toDouble(view.arrowScale);
    const QJsonObject colours = root.value("colours").toObject();
    Fill(colours.value("background"), view.backgroundColour, 3);
    Fill(colours.value("labels"), view.labelColour, 3);
    view.labelsInElementColour =
        colours.value("labelsInElementColour").toBool(view.labelsInElementColour);
    view.labelOutlines = colours.value("labelOutlines").toBool(view.labelOutlines);
    for (const QJsonValue& row : root.value("representations").toArray())
        view.representations.push_back(RowFrom(row.toObject()));
    const QJsonObject selections = root.value("selections").toObject();
    for (auto named = selections.begin(); named != selections.end(); ++named) {
        SelectionEvaluator::Mask& mask = view.namedSelections[named.key().toStdString()];
        for (const int a : Atoms(named.value())) {
            if (a < 0)
                continue;
            if (static_cast<std::size_t>(a) >= mask.size())
                mask.resize(static_cast<std::size_t>(a) + 1, 0);
            mask[static_cast<std::size_t>(a)] = 1;
        }
    }
    const std::vector<int> labels = Atoms(root.value("labels"));
    view.labelledAtoms.assign(labels.begin(), labels.end());
    for (const QJsonValue& measured : root.value("measurements").toArray())
        view.measurements.push_back(Measurement{Atoms(measured)});
    const QJsonValue shown = root.value("document");
    session.hasDocumentPart = shown.isObject();
    if (session.hasDocumentPart) {
        const QJsonObject part = shown.toObject();
        session.residues =
            ResidueVisibility(Atoms(part.value("residues")), part.value("residueMode").toInt(2));
        session.secondaryFromFile = part.value("secondaryFromFile").toBool(false);
    }
    const QJsonValue surface = root.value("surface");
    session.hasSurfacePart = surface.isObject();
    if (session.hasSurfacePart) {
        const QJsonObject part = surface.toObject();
        GridSources::Kept& kept = session.surface;
        // A grid of a kind unknown here is passed over; the indices of the
        // shown and colouring grids count the grids as saved, so they are
        // moved down past it.
        int shownGrid = part.value("shown").toInt(-1);
        int colouredBy = part.value("colouredBy").toInt(-1);
        const QJsonArray grids = part.value("grids").toArray();
        for (int g = 0; g < grids.size(); ++g) {
            DocumentGrid grid;
            QString relative;
            if (GridFrom(grids[g].toObject(), grid, relative)) {
                kept.grids.push_back(grid);
                session.gridRelativePaths.push_back(relative);
                continue;
            }
            const int at = static_cast<int>(kept.grids.size());
            shownGrid = shownGrid == at ? -1 : shownGrid > at ? shownGrid - 1 : shownGrid;
            colouredBy = colouredBy == at ? -1 : colouredBy > at ? colouredBy - 1 : colouredBy;
        }
        kept.shown = shownGrid;
        kept.colouredBy = colouredBy;
        kept.isovalue = part.value("isovalue").toDouble(kept.isovalue);
        kept.translucent = part.value("translucent").toBool(false);
        Fill(part.value("colourRange"), kept.colourRange.data(), 2);
    }
    return true;
}

QString SessionFile::StructureFor(const QString& path) const {
    if (!structurePath.isEmpty() && QFileInfo::exists(structurePath))
        return structurePath;
    const QString relative = QFileInfo(path).absoluteDir().absoluteFilePath(relativePath);
    return !relativePath.isEmpty() && QFileInfo::exists(relative) ? relative : QString();
}

GridSources::Kept SessionFile::SurfaceFor(const QString& path) const {
    GridSources::Kept kept = surface;
    const QDir folder = QFileInfo(path).absoluteDir();
    for (std::size_t g = 0; g < kept.grids.size(); ++g) {
        DocumentGrid& grid = kept.grids[g];
        const QString absolute = QString::fromStdString(grid.path);
        const QString relative = g < gridRelativePaths.size() ? gridRelativePaths[g] : QString();
        if (grid.origin == DocumentGrid::Origin::kCube && !QFileInfo::exists(absolute) &&
            !relative.isEmpty() && QFileInfo::exists(folder.absoluteFilePath(relative)))
            grid.path = folder.absoluteFilePath(relative).toStdString();
    }
    return kept;
}

bool SessionFile::SameStructure(const QString& path) const {
    return QFileInfo(path).size() == structureSize && Sha256Of(path) == sha256;
}

void SessionFile::Apply(const ViewState& view, ViewState& into, const CMolData& model) {
    const int shown = std::clamp(view.frame, 0, std::max(model.frameCount - 1, 0));
    const int atoms = model.AtomCount(shown);
    const auto valid = [atoms](int a) { return a >= 0 && a < atoms; };
    into.frame = shown;
    into.camera.orientation = view.camera.orientation;
    into.camera.zoom = view.camera.zoom;
    into.camera.fitScale = view.camera.fitScale;
    into.camera.centre = view.camera.centre;
    into.displayFlags = view.displayFlags;
    into.colourMode = view.colourMode;
    into.showHydrogens = view.showHydrogens;
    into.cartoonHelixCylinders = view.cartoonHelixCylinders;
    into.cartoonLigands = view.cartoonLigands;
    into.cartoonWaters = view.cartoonWaters;
    into.overlayModels = view.overlayModels;
    into.mode = view.mode;
    into.arrowScale = view.arrowScale;
    std::copy_n(view.backgroundColour, 3, into.backgroundColour);
    std::copy_n(view.labelColour, 3, into.labelColour);
    into.labelsInElementColour = view.labelsInElementColour;
    into.labelOutlines = view.labelOutlines;
    into.representations = view.representations;
    into.namedSelections = view.namedSelections;
    for (auto& [name, mask] : into.namedSelections)
        mask.resize(static_cast<std::size_t>(atoms), 0);
    into.labelledAtoms.clear();
    for (const int a : view.labelledAtoms) {
        if (valid(a))
            into.labelledAtoms.push_back(a);
    }
    into.measurements.clear();
    for (const Measurement& measurement : view.measurements) {
        const std::size_t n = measurement.atoms.size();
        if (n >= 2 && n <= 4 &&
            std::all_of(measurement.atoms.begin(), measurement.atoms.end(), valid))
            into.measurements.push_back(measurement);
    }
}
