// The exit codes of lumistra, as --help and the README list them.
#pragma once

enum ExitCode : int {
    kExitSuccess = 0,        // every file was filtered and written
    kExitFileFailed = 1,     // at least one file was not written (the others were)
    kExitUsage = 2,          // the command line was wrong; nothing was done
    kExitPluginMissing = 3,  // the plug-in module could not be found or loaded
    kExitNotRecorded = 4,    // every file was written, the --record file was not
    kExitInterrupted = 130,  // Ctrl-C, SIGTERM, SIGHUP, SIGQUIT: the file under way was not written
};
