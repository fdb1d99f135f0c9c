#include "print/view/DrawnTextRecorder.h"

#include <QPaintEngine>

namespace orv {

class DrawnTextRecorder::Engine : public QPaintEngine
{
public:
    explicit Engine(QList<DrawnText>* runs) : QPaintEngine(AllFeatures), m_runs(runs) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override
    {
        m_runs->append({item.font(), item.text()});
    }
    Type type() const override { return User; }

private:
    QList<DrawnText>* m_runs;
};

DrawnTextRecorder::DrawnTextRecorder(QSize size, int resolution)
    : m_size(size), m_resolution(resolution), m_engine(std::make_unique<Engine>(&m_runs))
{
}

DrawnTextRecorder::~DrawnTextRecorder() = default;

QPaintEngine* DrawnTextRecorder::paintEngine() const
{
    return m_engine.get();
}

int DrawnTextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / m_resolution);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / m_resolution);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_resolution;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace orv
