#pragma once

#include "model/ResidueVisibility.h"
#include "render/ViewState.h"
#include "view/GridSources.h"

#include <QByteArray>
#include <QString>

class CMolData;
struct MolDocState;

// A session: the structure file a molecule window shows and everything the
// window shows of it (docs/sessions.md): the geometry, the camera, the
// display style and colours, the representation rows, the named
// selections, the labels and the measurements; and what its document
// shows of the model in every window (the residues shown, the secondary
// structure drawn, the isosurface and the grids it may be drawn from).
// Written as a small JSON
// object with a format version; read back into the parts of a view's
// state it holds, a part missing (an older session) left as it was.
struct SessionFile {
    static constexpr int kVersion = 1;
    static constexpr const char* kSuffix = "ravek";

    // The structure file, as an absolute path and as a path from the
    // session's folder (tried when the absolute one is gone), its length
    // and SHA-256.
    QString structurePath;
    QString relativePath;
    qint64 structureSize = -1;
    QByteArray sha256; // hex
    int version = kVersion;
    // The geometry shown, from 0.
    int frame = 0;
    ViewState view;
    // The document's part; hasDocumentPart is false for a session saved
    // before it was written, which leaves the document as it was.
    ResidueVisibility residues;
    bool secondaryFromFile = false;
    bool hasDocumentPart = false;
    // The isosurface and its grids; hasSurfacePart is false for a session
    // saved before they were written, which leaves the file's own surface.
    // The cube files among the grids, as paths from the session's folder
    // (one per grid, empty for the others).
    GridSources::Kept surface;
    std::vector<QString> gridRelativePaths;
    bool hasSurfacePart = false;

    // The session of what view shows of the structure file at structure
    // and what document shows of its model, saved at path.
    static SessionFile Of(const ViewState& view, const MolDocState& document,
                          const QString& structure, const QString& path);
    QByteArray ToJson() const;
    // False with a message for what is no session of any version.
    static bool FromJson(const QByteArray& json, SessionFile& session, QString& error);
    // The structure file to open for a session saved at path: the
    // absolute path, else the relative one; empty when neither exists.
    QString StructureFor(const QString& path) const;
    // The surface part of a session saved at path, each cube file at its
    // absolute path, else at the relative one when only that exists.
    GridSources::Kept SurfaceFor(const QString& path) const;
    // Whether the file at path is still the one the session was saved
    // with (its length and SHA-256).
    bool SameStructure(const QString& path) const;
    static QByteArray Sha256Of(const QString& path);
    // Puts the parts a session holds of saved (its view) into view for
    // model, leaving out atom indices the model does not have.
    static void Apply(const ViewState& saved, ViewState& view, const CMolData& model);
};
