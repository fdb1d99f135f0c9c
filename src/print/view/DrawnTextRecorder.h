#pragma once

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

namespace orv {

// A text run as a painter drew it: the characters and the font asked for.
struct DrawnText
{
    QFont font;
    QString text;
};

// A paint device that keeps only the text drawn on it, in drawing order: painting the pages of
// a PDF on it as well tells which characters each glyph of the PDF stands for.
class DrawnTextRecorder : public QPaintDevice
{
public:
    // The size in device units and the resolution match the device the pages are meant for, so
    // that text breaks into the same lines.
    DrawnTextRecorder(QSize size, int resolution);
    ~DrawnTextRecorder() override;

    const QList<DrawnText>& runs() const { return m_runs; }

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;

    QSize m_size;
    int m_resolution;
    QList<DrawnText> m_runs;
    std::unique_ptr<Engine> m_engine;
};

} // namespace orv
