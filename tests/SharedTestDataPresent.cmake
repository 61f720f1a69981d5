# Fails, saying why, when the shared test data folder is not where the build
# looks for it. Run as: cmake -DTESTDATA_DIR=FOLDER -P SharedTestDataPresent.cmake
if(NOT EXISTS "${TESTDATA_DIR}/MANIFEST.tsv")
    message(FATAL_ERROR
        "The shared test data folder ${TESTDATA_DIR} is missing (no MANIFEST.tsv in it): "
        "every test of the real files there would only skip. Put the folder there, or "
        "configure with -DRAVEK_TESTDATA_DIR=FOLDER where it is. To run the tests without it "
        "on purpose: RAVEK_WITHOUT_TESTDATA=1 ./build.sh test (CMake option "
        "-DRAVEK_WITHOUT_TESTDATA=ON).")
endif()
message(STATUS "Shared test data found in ${TESTDATA_DIR}")
