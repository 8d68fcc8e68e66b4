#pragma once

class QWidget;

namespace tarvel::shell {

// A start-up timing switch for the benchmarks. When the environment variable
// TARVEL_REPORT_FIRST_PAINT is set, the first paint event of the window or of a control on it is
// reported on stderr as "first paint: N ms (CPU C ms)", N counted from the process's start and C
// the processor time used by then; with the value "quit" the window is then closed, as by its
// close button, so the run ends. Unset, nothing is watched.
void ReportFirstPaint(QWidget& window);

}  // namespace tarvel::shell
