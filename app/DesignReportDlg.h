#pragma once
// The design report's dialog: the project block (title, number, client, building and facade, designer,
// checker, revision, notes) and whether the report ends with the design peaks of the nine orientations.
// Every box has its Alt+letter; OK takes the values, Cancel leaves them.
#include "app/ProjectInfo.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

class TDesignReportDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDesignReportDlg(QWidget* parent = nullptr);

    void SetProject(const TProjectInfo& info);
    TProjectInfo Project() const;
    void SetDesignPeaks(bool on);
    bool DesignPeaks() const;

    // The box of a field (by its key), for tests.
    QWidget* FieldBox(const char* key) const;

private:
    QList<QLineEdit*> lines_; // the one-line fields, in the order of ProjectFields
    QPlainTextEdit* notes_ = nullptr;
    QCheckBox* peaks_ = nullptr;
};
