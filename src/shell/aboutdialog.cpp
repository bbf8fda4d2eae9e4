#include "aboutdialog.h"

#include "applylanguage.h"
#include "base/services.h"
#include "centerform.h"
#include "controls.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About Quenlark"));
    auto* ok = Controls::button(this, "OKButton", QStringLiteral("OK"));
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("Quenlark")));
    layout->addWidget(Controls::label(this, "Label5", versionText()));
    layout->addWidget(
        Controls::label(this, "Label3",
                        QStringLiteral("Answering machine, call recorder and chat and "
                                       "mail notices beside your VoIP client.")));
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

QString AboutDialog::versionText() {
    return QStringLiteral("Version : %1.%2.%3")
        .arg(QUENLARK_VERSION_MAJOR)
        .arg(QUENLARK_VERSION_MINOR)
        .arg(QUENLARK_VERSION_PATCH);
}

void AboutDialog::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
}
