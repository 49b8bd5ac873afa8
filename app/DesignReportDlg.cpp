#include "app/DesignReportDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TDesignReportDlg::TDesignReportDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DesignReportDlg"));
    setWindowTitle(QStringLiteral("Design Report"));
    auto* form = new QFormLayout;
    for (const TProjectField& f : ProjectFields()) {
        QWidget* box = nullptr;
        if (f.MultiLine) {
            notes_ = new QPlainTextEdit(this);
            notes_->setTabChangesFocus(true); // Tab moves on, as in every other box
            notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 5);
            box = notes_;
        } else {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(f.MaxLength);
            edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 44);
            lines_ << edit;
            box = edit;
        }
        box->setObjectName(QString::fromLatin1(f.Key));
        auto* label = new QLabel(QString::fromUtf8(f.Label), this);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(box);
        form->addRow(label, box);
    }
    peaks_ = new QCheckBox(QStringLiteral("Add the design &peaks of the nine orientations"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* note =
        new QLabel(QStringLiteral("These details head the report and are saved with the project."), this);
    note->setTextFormat(Qt::PlainText);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(peaks_);
    layout->addWidget(buttons);
}

void TDesignReportDlg::SetProject(const TProjectInfo& info) {
    int line = 0;
    for (const TProjectField& f : ProjectFields()) {
        if (f.MultiLine)
            notes_->setPlainText(info.*f.Member);
        else
            lines_[line++]->setText(info.*f.Member);
    }
}

TProjectInfo TDesignReportDlg::Project() const {
    TProjectInfo info;
    int line = 0;
    for (const TProjectField& f : ProjectFields())
        info.*f.Member = f.MultiLine ? notes_->toPlainText().left(f.MaxLength) : lines_[line++]->text();
    return info;
}

void TDesignReportDlg::SetDesignPeaks(bool on) {
    peaks_->setChecked(on);
}

bool TDesignReportDlg::DesignPeaks() const {
    return peaks_->isChecked();
}

QWidget* TDesignReportDlg::FieldBox(const char* key) const {
    return findChild<QWidget*>(QString::fromLatin1(key));
}
