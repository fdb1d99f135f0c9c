#include "shell/WebPageDocument.h"

#include "data/PageBinding.h"
#include "shell/WebBrowser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace orv {

namespace {

// Every script answers {"ok":true,"data":...} or {"ok":false,"error":"..."} as JSON text.
const char* const readSource = R"JS((function () {
    function hex(c) {
        var m = /^rgba?\((\d+),\s*(\d+),\s*(\d+)/.exec(c || '');
        if (!m) return c || '';
        return '#' + [m[1], m[2], m[3]].map(function (x) {
            return ('0' + (+x).toString(16)).slice(-2);
        }).join('');
    }
    try {
        var f = document.forms[0], r = [];
        if (f) {
            var n = f.length, active = document.activeElement;
            for (var i = 0; i < n; i++) {
                var e = f.elements[i], s = e.style;
                r.push([e.name || '', e.type || '', e.value == null ? '' : String(e.value),
                        !!e.checked, e.className || '', active === e,
                        s ? hex(s.backgroundColor) : '', s ? s.visibility : '',
                        e.outerHTML || '',
                        e.type === 'button' ? Array.prototype.map.call(e.attributes,
                            function (a) { return [a.name, a.value]; }) : []]);
            }
        }
        return JSON.stringify({ok: true, data: r});
    } catch (x) {
        return JSON.stringify({ok: false, error: String(x)});
    }
})())JS";

// Name, type, value and checked of every element: what a store reads.
const char* const readValuesSource = R"JS((function () {
    try {
        var f = document.forms[0], r = [];
        if (f) {
            for (var i = 0, n = f.length; i < n; i++) {
                var e = f.elements[i];
                r.push([e.name || '', e.type || '', e.value == null ? '' : String(e.value),
                        !!e.checked]);
            }
        }
        return JSON.stringify({ok: true, data: r});
    } catch (x) {
        return JSON.stringify({ok: false, error: String(x)});
    }
})())JS";

// PageDocument::fill in the page: texts is [[column, text, ticked], ...] in column order, and
// blank stands for a column without a text; a bound input is named "orv", any character and its
// column with "-" written "_".
const char* const fillSource = R"JS((function (texts, from, blank) {
    try {
        var exact = {}, anyCase = {};
        for (var t = 0; t < texts.length; t++) {
            var column = texts[t][0], lower = column.toLowerCase();
            exact['#' + column] = texts[t];
            if (!(('#' + lower) in anyCase)) anyCase['#' + lower] = texts[t];
        }
        var f = document.forms[0];
        if (f) {
            for (var i = from, n = f.length; i < n; i++) {
                var e = f.elements[i], name = e.name || '';
                if (name.length < 4 || name.substring(0, 3) !== 'orv') continue;
                var col = name.substring(4).split('_').join('-');
                var entry = ('#' + col) in exact ? exact['#' + col]
                         : (('#' + col.toLowerCase()) in anyCase ? anyCase['#' + col.toLowerCase()] : blank);
                var type = e.type || '';
                if (type === 'text' || type === 'select-one' || type === 'textarea' ||
                    type === 'hidden') e.value = entry[1];
                else if (type === 'checkbox') e.checked = entry[2];
                else return JSON.stringify({ok: true, data: [i, type]});
            }
        }
        // The first item takes the focus now, not once the page has drawn, so that it has it
        // when the page is shown and keys typed meanwhile go there.
        var active = document.activeElement;
        if (!active || active === document.body || active === document.documentElement) {
            var first = document.querySelector('[autofocus]');
            if (first) first.focus();
        }
        return JSON.stringify({ok: true, data: [-1, '']});
    } catch (x) {
        return JSON.stringify({ok: false, error: String(x)});
    }
})(%1, %2, %3))JS";

const char* const applySource = R"JS((function (changes) {
    try {
        var f = document.forms[0];
        if (!f) return JSON.stringify({ok: false, error: 'no form'});
        var els = [];
        for (var i = 0; i < f.length; i++) els.push(f.elements[i]);
        for (var k = 0; k < changes.length; k++) {
            var c = changes[k], e = els[c[0]];
            if (!e) continue;
            switch (c[1]) {
            case 0: e.value = c[2]; break;
            case 1: e.checked = c[3]; break;
            case 2: e.focus(); break;
            case 3: e.style.backgroundColor = c[2]; break;
            case 4: e.style.visibility = c[2]; break;
            case 5: e.outerHTML = c[2]; els[c[0]] = f.elements[c[0]]; break;
            }
        }
        return JSON.stringify({ok: true, data: null});
    } catch (x) {
        return JSON.stringify({ok: false, error: String(x)});
    }
})(%1))JS";

QString jsonLiteral(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

QString WebPageDocument::readScript()
{
    return QString::fromUtf8(readSource);
}

QString WebPageDocument::fillScript(const BoundTexts& texts, int from)
{
    QJsonArray list;
    for (const auto& [column, text] : texts)
        list.append(QJsonArray{column, text, PageBinding::ticks(text)});
    const QJsonArray blank{QString(), QString(), PageBinding::ticks(QString())};
    // One substitution, so that a "%" in a text is never taken for a placeholder.
    return QString::fromUtf8(fillSource)
        .arg(jsonLiteral(list), QString::number(from), jsonLiteral(blank));
}

QString WebPageDocument::applyScript(const QVector<ElementChange>& changes)
{
    QJsonArray list;
    for (const ElementChange& change : changes)
        list.append(QJsonArray{change.index, int(change.kind), change.text, change.flag});
    return QString::fromUtf8(applySource).arg(jsonLiteral(list));
}

bool WebPageDocument::run(const QString& script, QJsonValue* data, QString* error)
{
    QString failure;
    const QVariant result = m_browser.runScript(script, &failure);
    const QJsonObject answer = QJsonDocument::fromJson(result.toString().toUtf8()).object();
    if (answer.value(QLatin1String("ok")).toBool()) {
        if (data)
            *data = answer.value(QLatin1String("data"));
        return true;
    }
    if (error) {
        if (!failure.isEmpty())
            *error = failure;
        else if (answer.isEmpty())
            *error = QStringLiteral("ページが応答しません。");
        else
            *error = answer.value(QLatin1String("error")).toString();
    }
    return false;
}

bool WebPageDocument::readRows(const QString& script, QVector<PageElement>* elements,
                               QString* error)
{
    QJsonValue data;
    if (!run(script, &data, error))
        return false;
    const QJsonArray rows = data.toArray();
    elements->clear();
    elements->reserve(rows.size());
    for (const QJsonValue& row : rows) {
        const QJsonArray f = row.toArray();
        PageElement e;
        e.name = f.at(0).toString();
        e.type = f.at(1).toString();
        e.value = f.at(2).toString();
        e.checked = f.at(3).toBool();
        // The rest only where the script read every fact.
        if (f.size() > 4) {
            e.className = f.at(4).toString();
            e.focused = f.at(5).toBool();
            e.backgroundColor = f.at(6).toString();
            e.visibility = f.at(7).toString();
            e.outerHTML = f.at(8).toString();
            for (const QJsonValue& attribute : f.at(9).toArray()) {
                const QJsonArray pair = attribute.toArray();
                e.attributes.append({pair.at(0).toString(), pair.at(1).toString()});
            }
        }
        elements->append(e);
    }
    return true;
}

bool WebPageDocument::readElements(QVector<PageElement>* elements, QString* error)
{
    return readRows(readScript(), elements, error);
}

bool WebPageDocument::readValues(QVector<PageElement>* elements, QString* error)
{
    return readRows(QString::fromUtf8(readValuesSource), elements, error);
}

bool WebPageDocument::fill(const BoundTexts& texts, int from, FillStop* stop, QString* error)
{
    QJsonValue data;
    if (!run(fillScript(texts, from), &data, error))
        return false;
    const QJsonArray where = data.toArray();
    *stop = {where.at(0).toInt(-1), where.at(1).toString()};
    return true;
}

bool WebPageDocument::apply(const QVector<ElementChange>& changes, QString* error)
{
    if (changes.isEmpty())
        return true;
    return run(applyScript(changes), nullptr, error);
}

bool WebPageDocument::setStatus(const QString& text, QString* error)
{
    if (m_browser.setStatusText(text))
        return true;
    if (error)
        *error = WebBrowser::RendererEndedText;
    return false;
}

} // namespace orv
