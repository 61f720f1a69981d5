#pragma once

// What another look at an output file still being written found.
struct LogGrowth {
    // The file shrank, was replaced or is no output read this way: it must
    // be read again from its start.
    bool readAgain = false;
    // Whole lines were added, a geometry appeared or the job's end changed:
    // steps, termination or modes may differ.
    bool changed = false;
    int newFrames = 0; // geometries appended at the end
};
