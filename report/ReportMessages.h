#pragma once
// Where the report's messages go ("Printer error.", "Setup error...", "Sorry, x is a reserved
// filename"). Unset, they show in a message box with one OK button; tests replace the hook to read
// them. Returns the previous hook.
#include <QString>
#include <functional>

using TReportMessageHook = std::function<void(const QString& message)>;
TReportMessageHook SetReportMessageHook(TReportMessageHook hook);

// A plain message box (or the hook).
void ReportMessage(const QString& message);
