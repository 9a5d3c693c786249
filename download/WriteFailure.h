#pragma once
// A write that fails ends the run: the transfer is wound up (port closed, texts
// blank, timers killed), the operator is told, and the process ends at once.

class CDownloadDlg;

[[noreturn]] void endWithWriteError(CDownloadDlg& dlg);
