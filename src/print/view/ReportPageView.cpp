#include "print/view/ReportPageView.h"

#include "print/view/ReportRenderer.h"

#include <QPainter>

namespace orv {

namespace {

constexpr int kGap = 12;

} // namespace

ReportPageView::ReportPageView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(p);
}

void ReportPageView::setRenderer(const ReportRenderer* renderer)
{
    m_renderer = renderer;
    m_page = 0;
    refresh();
}

void ReportPageView::setPage(int page)
{
    m_page = page;
    refresh();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.1, 8.0);
    refresh();
}

QSizeF ReportPageView::sheetSize() const
{
    if (!m_renderer)
        return QSizeF(794, 1123);
    return m_renderer->pageLayout().fullRectPixels(logicalDpiX()).size();
}

void ReportPageView::refresh()
{
    if (m_renderer) {
        const double dpi = logicalDpiX() * m_zoom * devicePixelRatioF();
        m_image = m_renderer->pageImage(m_page, dpi);
        m_image.setDevicePixelRatio(devicePixelRatioF());
    } else {
        m_image = QImage();
    }
    const QSizeF sheet = sheetSize() * m_zoom;
    setFixedSize(qRound(sheet.width()) + 2 * kGap, qRound(sheet.height()) + 2 * kGap);
    update();
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_image.isNull())
        return;
    const QRect sheet(QPoint(kGap, kGap), m_image.deviceIndependentSize().toSize());
    painter.fillRect(sheet.translated(4, 4), QColor(0x40, 0x40, 0x40));
    painter.drawImage(sheet.topLeft(), m_image);
}

} // namespace orv
