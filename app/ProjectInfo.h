#pragma once
// The project block of a design report: who and what the calculation is for. It travels in the
// project file after the 56 bytes of inputs, as an optional tagged section that a reader of the
// 56-byte layout never looks at, and in the settings for the next run.
//
// The section: "QVXP", a 16-bit version (1), a 16-bit CRC of the text, a 32-bit length of the text
// (all little-endian), then the text: UTF-8 lines "key=value", a backslash written "\\" and a line
// feed inside a value "\n". Unknown keys are skipped, so a later version may add fields.
#include <QByteArray>
#include <QList>
#include <QString>

struct TProjectInfo {
    QString Title, Number, Client, Building, Designer, Checker, Revision, Notes;
    bool IsEmpty() const;
    bool operator==(const TProjectInfo&) const = default;
};

// One field: its key in the file and the settings, its label, its longest text [characters] and
// whether it may hold line feeds.
struct TProjectField {
    const char* Key;
    const char* Label; // UTF-8, with the dialog's Alt+letter
    QString TProjectInfo::*Member;
    int MaxLength;
    bool MultiLine;
};
// The fields in the order the dialog and the report show them.
const QList<TProjectField>& ProjectFields();

// The largest section text read or written [bytes]: the fields' longest texts fit with room to spare.
inline constexpr int MaxProjectSectionText = 16 * 1024;

// The section bytes of info; empty for an empty block, so a file without a project block stays 56 bytes.
QByteArray EncodeProjectSection(const TProjectInfo& info);

enum TProjectSection {
    psAbsent,  // nothing after the inputs, or bytes that are no project block (left alone)
    psRead,    // info holds the block
    psDamaged, // a project block that cannot be trusted: cut short, too long, wrong CRC, an unknown
               // version or text that is not UTF-8; info is left as it was
};
// Reads the bytes that follow the 56 bytes of inputs. Texts are cut to their field's longest length
// and stripped of control characters (a line feed stays in a multi-line field).
TProjectSection DecodeProjectSection(const QByteArray& tail, TProjectInfo& info);

// The project block of the last run (settings section "Project"), and whether the design report was
// last made with its design-peaks section.
TProjectInfo ReadProjectSettings();
void WriteProjectSettings(const TProjectInfo& info);
bool ReadDesignPeaksSetting();
void WriteDesignPeaksSetting(bool on);
