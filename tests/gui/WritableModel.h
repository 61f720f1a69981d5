#pragma once

#include "render/MolDocState.h"

// The model a document holds, for a test that changes it in place as the
// reader of a growing file does; the program itself only reads it there.
inline CMolData& WritableModel(MolDocState& document) {
    return const_cast<CMolData&>(*document.data);
}
