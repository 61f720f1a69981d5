// The reader a file's name chooses.

#include "formats/FileKind.h"

#include <gtest/gtest.h>

namespace {

// The names the desktop associates with the program's chemical types (the
// globs of chemical-mime-data) must each choose a reader, in any case and
// under gzip; near misses choose none.
TEST(FileKind, EveryNameOfTheDesktopsChemicalTypesChoosesAReader) {
    for (const char* gaussian : {"a.log", "a.com", "a.out", "a.gjf", "a.gau", "a.gjc", "a.gal",
                                 "a.g92", "a.g94", "a.g98", "a.G03", "a.g98.gz"})
        EXPECT_EQ(FileKindFromPath(gaussian), FileKind::kGaussian) << gaussian;
    for (const char* pdb : {"a.pdb", "a.ENT", "a.pdb.GZ"})
        EXPECT_EQ(FileKindFromPath(pdb), FileKind::kPdb) << pdb;
    for (const char* mmcif : {"a.cif", "a.mmcif", "a.cif.gz"})
        EXPECT_EQ(FileKindFromPath(mmcif), FileKind::kMmcif) << mmcif;
    for (const char* unknown : {"a.g09", "a.txt", "gz", ".gz", "a.gz", "a.xyz", "og"})
        EXPECT_EQ(FileKindFromPath(unknown), FileKind::kUnknown) << unknown;
}

} // namespace
