#include "app/frmmsgsm.h"

#include "ui_frmmsgsm.h"

namespace tavlo {

frmMsgSm::frmMsgSm(QWidget* owner)
    : MessageWindow(owner, QColor(187, 0, 187))
    , m_ui(std::make_unique<Ui::frmMsgSm>())
{
    m_ui->setupUi(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    setFocusButton(m_ui->cmdOK);
}

frmMsgSm::~frmMsgSm() = default;

void frmMsgSm::setLabels(const QString& label1, const QString& label2)
{
    setCaption(m_ui->Label1, label1);
    setCaption(m_ui->Label2, label2);
    fitLabels();
}

} // namespace tavlo
