#include "app/frmalert.h"

#include "ui_frmalert.h"

namespace tavlo {

frmAlert::frmAlert(QWidget* owner)
    : MessageWindow(owner, QColor(255, 0, 0))
    , m_ui(std::make_unique<Ui::frmAlert>())
{
    m_ui->setupUi(this);
    connect(m_ui->cmdYes, &QPushButton::clicked, this, [this] {
        if (QWidget* owner = parentWidget())
            owner->setProperty("Tag", QStringLiteral("please"));
        accept();
    });
    connect(m_ui->cmdNo, &QPushButton::clicked, this, &QDialog::reject);
    setFocusButton(m_ui->cmdYes);
    setCancelButton(m_ui->cmdNo);
}

frmAlert::~frmAlert() = default;

void frmAlert::setLabels(const QString& label1, const QString& label2, const QString& label3)
{
    setCaption(m_ui->Label1, label1);
    setCaption(m_ui->Label2, label2);
    setCaption(m_ui->Label3, label3);
    fitLabels();
}

} // namespace tavlo
