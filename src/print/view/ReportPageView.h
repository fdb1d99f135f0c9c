#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

namespace orv {

class ReportRenderer;

// Shows one page of a report as a sheet of paper at a zoom factor.
class ReportPageView : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPageView(QWidget* parent = nullptr);

    void setRenderer(const ReportRenderer* renderer);
    void setPage(int page);
    int page() const { return m_page; }
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Size of the sheet in pixels at zoom 1.
    QSizeF sheetSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    const ReportRenderer* m_renderer = nullptr;
    int m_page = 0;
    double m_zoom = 1.0;
    QImage m_image;
};

} // namespace orv
