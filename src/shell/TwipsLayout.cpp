#include "shell/TwipsLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orv {

namespace {

QScreen* screenOf(QWidget* window)
{
    QScreen* screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

TwipsLayout::TwipsLayout(QWidget* window)
    : m_window(window), m_screen(screenOf(window)),
      m_twips(m_screen ? m_screen->logicalDotsPerInch() : 96.0)
{
}

QRect TwipsLayout::screenGeometry() const
{
    return m_screen ? m_screen->geometry() : QRect(0, 0, 1024, 768);
}

QSizeF TwipsLayout::screenTwips() const
{
    const QRect screen = screenGeometry();
    return QSizeF(m_twips.fromPixels(screen.width()), m_twips.fromPixels(screen.height()));
}

void TwipsLayout::place(QWidget* control, int left, int top, int width, int height) const
{
    control->setGeometry(m_twips.toPixels(left), m_twips.toPixels(top), m_twips.toPixels(width),
                         m_twips.toPixels(height));
}

void TwipsLayout::setClientSize(int width, int height) const
{
    m_window->setFixedSize(m_twips.toPixels(width, height));
}

void TwipsLayout::centreOnScreen() const
{
    const QSizeF screen = screenTwips();
    const QSize outer = m_window->frameGeometry().size();
    moveTo(Twips::centredOffset(screen.width(), m_twips.fromPixels(outer.width())),
           Twips::centredOffset(screen.height(), m_twips.fromPixels(outer.height())));
}

void TwipsLayout::moveTo(double leftTwips, double topTwips) const
{
    const QRect screen = screenGeometry();
    m_window->move(screen.x() + m_twips.toPixels(leftTwips),
                   screen.y() + m_twips.toPixels(topTwips));
}

} // namespace orv
