#include "formats/ReadMolecule.h"

#include "formats/CGauData.h"
#include "formats/CPDBData.h"

std::unique_ptr<CMolData> ReadMolecule(StdioFile* file, FileType type, const PdbOptions& options) {
    switch (type) {
    case kFileTypeGaussian:
        return std::make_unique<CGauData>(file, &options);
    case kFileTypePdb:
        return std::make_unique<CPDBData>(file, &options);
    case kFileTypeUnknown:
        break;
    }
    return nullptr;
}
