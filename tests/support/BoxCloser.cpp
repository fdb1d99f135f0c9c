#include "support/BoxCloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace orv::test {

BoxCloser::BoxCloser()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->accept();
        }
    });
    m_timer.start();
}

} // namespace orv::test
