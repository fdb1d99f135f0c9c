#pragma once

#include "common/MessageBoxService.h"

class QWidget;

namespace orv {

// Message boxes drawn with QMessageBox.
class QtMessageBox : public MessageBoxService
{
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    int show(const QString& text, int style = StyleOk, const QString& title = QString()) override;

private:
    QWidget* m_parent;
};

} // namespace orv
