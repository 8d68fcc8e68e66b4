#pragma once

class QObject;

namespace tarvel::shell {

// A responsiveness switch for the benchmarks. When the environment variable
// TARVEL_REPORT_STALLS is set, the event loop of the user-interface thread is watched by a timer
// that should fire every 5 ms; each time it comes more than 10 ms late, "stall: N ms at T ms" is
// written on stderr, T being the monotonic clock's milliseconds when the stall ended. Unset,
// nothing is watched. The watch lives as long as `owner`.
void ReportStalls(QObject& owner);

}  // namespace tarvel::shell
