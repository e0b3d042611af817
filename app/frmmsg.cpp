#include "app/frmmsg.h"

#include "ui_frmmsg.h"

namespace tavlo {

frmMsg::frmMsg(QWidget* owner)
    : MessageWindow(owner, QColor(0, 0, 255))
    , m_ui(std::make_unique<Ui::frmMsg>())
{
    m_ui->setupUi(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    setFocusButton(m_ui->cmdOK);
}

frmMsg::~frmMsg() = default;

void frmMsg::setLabels(const QString& label1, const QString& label2, const QString& label3)
{
    setCaption(m_ui->Label1, label1);
    setCaption(m_ui->Label2, label2);
    setCaption(m_ui->Label3, label3);
    fitLabels();
}

} // namespace tavlo
