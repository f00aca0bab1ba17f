#include "dialogs/frm_about.h"

#include "dialogs/fitted_controls.h"
#include "platform/product.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmar::dialogs {

frm_About::frm_About(shell::KelmarProcess& process, QWidget& mainWindow) : DialogBase(process, mainWindow, "frm_About") {
    auto* layout = new QVBoxLayout(this);
    auto label = [&](const char* name) {
        auto* l = fittedLabel(QString(), name, this);
        l->setWordWrap(true);
        layout->addWidget(l);
        return l;
    };
    auto line = [&](const char* name) {
        auto* f = new QFrame(this);
        f->setObjectName(name);
        f->setFrameShape(QFrame::HLine);
        layout->addWidget(f);
    };
    QLabel* title = label("lblTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    label("lblVersion");
    label("lblDescription");
    line("Line1");
    label("lblInfo")->setText(
        QString::fromUtf8("Warnung: Dieses Produkt muss mit jeder ORVELAN Version aktualisiert werden."));
    line("Line2");
    label("lblLegal")->setText(kLegalNotice);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    applyCaptions({{"", 54}, {"lblTitle", 56}, {"lblDescription", 57}, {"lblInfo", 58}});
    findChild<QLabel*>("lblVersion")->setText(text(55) + platform::kVersion);
    setDesignSize(6300, 3750);
}

}  // namespace kelmar::dialogs
