# Fails, saying why, when the shared test data folder is not where the build
# looks for it, or lacks a folder the tests read or a file its MANIFEST.tsv
# lists: the tests of what is missing would only skip.
# Run as: cmake -DTESTDATA_DIR=FOLDER -P SharedTestDataPresent.cmake
set(how_to_run_without
    "To run the tests without it on purpose: RAVEK_WITHOUT_TESTDATA=1 ./build.sh test (CMake "
    "option -DRAVEK_WITHOUT_TESTDATA=ON).")
if(NOT EXISTS "${TESTDATA_DIR}/MANIFEST.tsv")
    message(FATAL_ERROR
        "The shared test data folder ${TESTDATA_DIR} is missing (no MANIFEST.tsv in it): "
        "every test of the real files there would only skip. Put the folder there, or "
        "configure with -DRAVEK_TESTDATA_DIR=FOLDER where it is. " ${how_to_run_without})
endif()

# The folders the tests read, whether or not the manifest names them.
set(missing "")
foreach(folder gaussian/g94 gaussian/g98 gaussian/g03 gaussian/g09 gaussian/g16 gaussian/input
               gaussian/malformed gaussian/other gaussian/irc gaussian/scan pdb mmcif orbitals
               orca molden spectra)
    if(NOT IS_DIRECTORY "${TESTDATA_DIR}/${folder}")
        list(APPEND missing "${folder}/")
    endif()
endforeach()
# Every file the manifest lists: the first column of each line after the
# header (its other columns hold semicolons, so the lines are not made a
# list).
file(READ "${TESTDATA_DIR}/MANIFEST.tsv" manifest)
string(REGEX MATCHALL "\n[^\t\n]+" paths "${manifest}")
set(listed 0)
foreach(path IN LISTS paths)
    string(STRIP "${path}" path)
    math(EXPR listed "${listed} + 1")
    if(NOT EXISTS "${TESTDATA_DIR}/${path}")
        list(APPEND missing "${path}")
    endif()
endforeach()
if(missing)
    list(JOIN missing ", " names)
    message(FATAL_ERROR
        "The shared test data folder ${TESTDATA_DIR} lacks what the tests read: ${names}. "
        ${how_to_run_without})
endif()
message(STATUS "Shared test data found in ${TESTDATA_DIR}: ${listed} files listed, all there")
