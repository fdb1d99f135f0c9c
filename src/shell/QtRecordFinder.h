#pragma once

#include "data/RecordFinder.h"

class QWidget;

namespace orv {

struct AppState;

// The record finder of the program: a fresh frmDBFind2 for every pick, shown modal.
class QtRecordFinder : public RecordFinder
{
public:
    explicit QtRecordFinder(AppState& state, QWidget* parent = nullptr)
        : m_state(state), m_parent(parent)
    {
    }
    void setParent(QWidget* parent) { m_parent = parent; }

    void pick(int mode, bool withNewButton = false) override;

private:
    AppState& m_state;
    QWidget* m_parent;
};

} // namespace orv
