// Every byte the tool writes goes through here, and every write is checked.
//
// Standard output is written through its stdio buffer; a write that fails
// (a closed or full stream, a reader that has gone: EPIPE) throws WriteError
// at once, so a long table stops at the first failed write rather than after
// its last point. Messages on standard error are written a line at a time;
// one that cannot be written is remembered and turns a successful exit into
// exit status 4.
#pragma once

#include <stdexcept>
#include <string_view>

namespace vorn_cli {

// Exit status of the tool.
inline constexpr int kExitDone = 0;
inline constexpr int kExitBadInput = 2;      // one line on stderr names the argument
inline constexpr int kExitNotConverged = 3;  // a thermometer missed its tolerance
inline constexpr int kExitWriteFailed = 4;   // stdout or stderr could not be written in full
inline constexpr int kExitNoAnswer = 5;      // the answer asked for is NaN or flagged as meaningless

// Writing standard output failed; what() is the reason ("No space left on device").
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Before anything else: standard streams that were closed are held open on a
// read-only /dev/null, so that a file opened later cannot take their place and
// writes to them fail as writes to a closed stream do.
void hold_closed_standard_streams();

// Appends to standard output; throws WriteError when the write fails.
void write_out(std::string_view text);

// Flushes standard output and checks that every write reached it.
void finish_out();

// "vorn: <line>\n" on standard error, unbuffered. Never throws.
void write_err(std::string_view line);

// Whether some line could not be written to standard error.
bool err_failed();

}  // namespace vorn_cli
