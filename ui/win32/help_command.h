// The main dialog's Help command: the help page in the folder the product's
// installation recorded in the registry, opened by the system's default handler.
#pragma once

// True once the page was handed to the shell; false after a failure message
// ("Help location could not be determined" or "Help could not be opened").
bool RunHelpCommand();
