// The program's ways out: the user's end, a failure of the window system,
// and a broken rule of the program itself. None of them returns.
#pragma once

// Shuts SDL down and ends the process with status 0, wherever it stands.
[[noreturn]] void TERMINATEAPPLICATION();

// Tells the user "Duruv: " and the formatted reason in one line (on standard
// error, and on Windows in a message box too), shuts SDL down and ends the
// process with status 1.
[[noreturn, gnu::format(printf, 1, 2)]] void EXITWITHERROR(const char *FORMAT, ...);

// Tells the user "Duruv: program error: " and the formatted rule that was
// broken in one line, as above, then aborts.
[[noreturn, gnu::format(printf, 1, 2)]] void PROGRAMERROR(const char *FORMAT, ...);
