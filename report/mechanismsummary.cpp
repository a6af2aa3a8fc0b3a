#include "report/mechanismsummary.h"

#include "diagram/diagrammodel.h"
#include "diagram/diagrampainter.h"

#include "files/savefile.h"
#include "model/flags.h"
#include "model/recordaccess.h"
#include "model/session.h"
#include "model/translator.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>


namespace {

const QString kMetres = QStringLiteral(" м");
const QString kDegrees = QStringLiteral(" град");
const QString kNone = QStringLiteral("—");

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("да") : QStringLiteral("нет");
}

// The page, table by table. Every value goes through cell(), which also counts what is unset.
class Page {
public:
    // A value with its unit; "/n" is "не задано" where the value is asked for, a dash where the
    // question does not arise for this record.
    QString value(const QString& text, const QString& unit = QString(), bool asked = true)
    {
        if (text == kNotSet) {
            if (!asked)
                return kNone;
            ++unset;
            return QStringLiteral("<b>не задано</b>");
        }
        return text.isEmpty() ? kNone : esc(text) + unit;
    }
    // A choice kept as "y"/"n", in the words the free-edit tree uses for it.
    QString choice(const QString& code, const QString& suffix)
    {
        const QString words = TranslateCode(code + suffix);
        return words.isEmpty() ? value(code) : words;
    }
    void heading(const QString& text) { html += QStringLiteral("<h2>") + text + QStringLiteral("</h2>\n"); }
    void paragraph(const QString& text) { html += QStringLiteral("<p>") + text + QStringLiteral("</p>\n"); }
    void table(const QStringList& header)
    {
        html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
        for (const QString& h : header)
            html += QStringLiteral("<th>") + h + QStringLiteral("</th>");
        html += QStringLiteral("</tr>\n");
    }
    void row(const QStringList& cells)
    {
        html += QStringLiteral("<tr>");
        for (const QString& c : cells)
            html += QStringLiteral("<td>") + c + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    void endTable() { html += QStringLiteral("</table>\n"); }

    QString html;
    int unset = 0;
};

QString pairType(const QString& code)
{
    if (code == QLatin1String("r"))
        return QStringLiteral("вращательная");
    if (code == QLatin1String("p"))
        return QStringLiteral("поступательная");
    return esc(code);
}

QString linkRole(const ZVENO& z)
{
    if (isCopyLink(z))
        return QStringLiteral("продолжение записи");
    if (isFrameLink(z))
        return QStringLiteral("стойка");
    return isDrivingLink(z) ? QStringLiteral("ведущее") : QString();
}

void pairsTable(Page& page, const Session& s)
{
    page.heading(QStringLiteral("Кинематические пары"));
    page.table({QStringLiteral("Пара"), QStringLiteral("Звено 1"), QStringLiteral("Звено 2"), QStringLiteral("Вид"),
                QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Угол с осью X")});
    const QString frame = frameName(s);
    for (int i = 1; i <= paraCount(s); ++i) {
        const PARA& p = s.Paras[i];
        const bool prismatic = p.ParaType == QLatin1String("p");
        // A revolute pair between two moving links has no coordinates of its own.
        const bool placed = prismatic || p.Zveno1 == frame || p.Zveno2 == frame;
        page.row({page.value(p.Name), page.value(p.Zveno1), page.value(p.Zveno2), pairType(p.ParaType),
                  page.value(p.X, kMetres, placed), page.value(p.Y, kMetres, placed),
                  page.value(p.XAngle, kDegrees, prismatic)});
    }
    page.endTable();
}

void linksTables(Page& page, const Session& s)
{
    page.heading(QStringLiteral("Звенья"));
    // Nine columns: the long words of the heading may break, at their soft hyphens.
    page.table({QStringLiteral("Звено"), QStringLiteral("Пара 1"), QStringLiteral("Пара 2"), QStringLiteral("Тип"),
                QStringLiteral("Роль"), QStringLiteral("Длина"), QStringLiteral("Вращательная пара на направ\u00ADляющей"),
                QStringLiteral("Перпенди\u00ADкуляр"), QStringLiteral("Направле\u00ADние обхода")});
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        const bool moving = !isFrameLink(z) && !isCopyLink(z);
        const bool offGuide = z.OnGuide == QLatin1String("no");
        const QString onGuide = z.OnGuide == QLatin1String("yes") ? yesNo(true) : offGuide ? yesNo(false) : kNone;
        page.row({page.value(z.Name), page.value(z.Para1), page.value(z.Para2), page.value(z.ZType), linkRole(z),
                  page.value(z.ZLength, kMetres, moving && isRevoluteLink(z)), onGuide,
                  page.value(z.Perpendicular, kMetres, offGuide),
                  offGuide ? page.choice(z.Clockwise, QStringLiteral("p")) : page.value(z.Clockwise, QString(), false)});
    }
    page.endTable();

    if (!forceAnalysis(s))
        return;
    page.heading(QStringLiteral("Массы и моменты"));
    page.table({QStringLiteral("Звено"), QStringLiteral("Центр масс"), QStringLiteral("Расстояние до центра масс"),
                QStringLiteral("Угол центра масс"), QStringLiteral("Масса"), QStringLiteral("Момент инерции"),
                QStringLiteral("Внешний момент")});
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        if (isFrameLink(z) || isCopyLink(z))
            continue;
        page.row({page.value(z.Name), page.value(z.CM), page.value(z.CMLength, kMetres), page.value(z.CMAngle, kDegrees),
                  page.value(z.Mass, QStringLiteral(" кг")), page.value(z.Moment, QStringLiteral(" кг*м2")),
                  page.value(z.MomentVn, QStringLiteral(" Н*м"), !isDrivingLink(z))});
    }
    page.endTable();
}

void extraPairsTable(Page& page, const Session& s)
{
    bool any = false;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        for (int j = 1; j <= subCount(z.TwafzCount); ++j) {
            if (!any) {
                page.heading(QStringLiteral("Дополнительные пары"));
                page.table({QStringLiteral("Звено"), QStringLiteral("Пара"), QStringLiteral("Номер пары"),
                            QStringLiteral("От пары"), QStringLiteral("Расстояние"), QStringLiteral("Угол")});
                any = true;
            }
            page.row({page.value(z.Name), page.value(z.TwafzName[j]), page.value(z.TwafzIndex[j]),
                      esc(BasePair(s, qint16(i))), page.value(z.TwafzLength[j], kMetres), page.value(z.TwafzAngle[j], kDegrees)});
        }
    }
    if (any)
        page.endTable();
}

void pointsTable(Page& page, const Session& s)
{
    bool any = false;
    for (int i = 1; i <= zvenoCount(s); ++i) {
        const ZVENO& z = s.Zvenos[i];
        for (int j = 1; j <= subCount(z.DPCount); ++j) {
            const DOP_POINT& p = z.DP[j];
            if (!any) {
                page.heading(QStringLiteral("Точки звеньев"));
                page.table({QStringLiteral("Звено"), QStringLiteral("Точка"), QStringLiteral("Вид"),
                            QStringLiteral("От пары"), QStringLiteral("Расстояние"), QStringLiteral("Угол"), QStringLiteral("Сила"),
                            QStringLiteral("Угол силы с осью X")});
                any = true;
            }
            const bool force = p.Kind == QLatin1String("f");
            const QString kind = force                          ? QStringLiteral("точка приложения силы")
                                 : p.Kind == QLatin1String("o") ? QStringLiteral("точка интереса")
                                                                : page.value(p.Kind);
            page.row({page.value(z.Name), page.value(p.Name), kind, esc(BasePair(s, qint16(i))), page.value(p.Length, kMetres),
                      page.value(p.Angle, kDegrees), page.value(p.Force, QStringLiteral(" Н"), force),
                      page.value(p.ForceAngle, kDegrees, force)});
        }
    }
    if (any)
        page.endTable();
}

// The assembly choices of a group in the words of the free-edit tree.
QString groupChoices(Page& page, const Session& s, const GROUP& group)
{
    const ZVENO& l1 = zvenoAt(s, group.Zveno1Index);
    const ZVENO& l2 = zvenoAt(s, group.Zveno2Index);
    const QString &A = l1.Para1, &B = l1.Para2, &C = l2.Para1, &D = l2.Para2;
    const auto vector = [&](const QString& v, const QString& pair) -> QString {
        return QStringLiteral("вектор ") + esc(v) + QStringLiteral(" составляет ") +
               page.choice(group.IsSharp, QStringLiteral("G")) + QStringLiteral(" с положительным направлением пары ") +
               esc(pair);
    };
    QStringList words;
    if (group.GType == QLatin1String("1"))
        words << QStringLiteral("обход пар ") + esc(A + u'-' + B + u'-' + D) + QStringLiteral(": ") +
                     page.choice(group.Clockwise, QStringLiteral("p"));
    else if (group.GType == QLatin1String("2") && isRevoluteLink(l1))
        words << vector(A + B, D);
    else if (group.GType == QLatin1String("2") && isPrismaticLink(l1))
        words << vector(C + D, A);
    if ((group.GType == QLatin1String("2") || group.GType == QLatin1String("3")) && l1.Perpendicular != kNotSet &&
        l2.Perpendicular != kNotSet)
        words << vector(A + D, B);
    return words.isEmpty() ? kNone : words.join(QStringLiteral("; "));
}

void groupsTable(Page& page, const Session& s)
{
    page.heading(QStringLiteral("Группы"));
    page.table({QStringLiteral("Группа"), QStringLiteral("Звено 1"), QStringLiteral("Звено 2"), QStringLiteral("Вид"),
                QStringLiteral("Сборка")});
    for (int g = 1; g <= groupCount(s); ++g) {
        const GROUP& group = s.Groups[g];
        page.row({page.value(group.Name), page.value(zvenoAt(s, group.Zveno1Index).Name),
                  page.value(zvenoAt(s, group.Zveno2Index).Name), page.value(group.GType), groupChoices(page, s, group)});
    }
    page.endTable();
}

} // namespace

Mobility countMobility(const Session& session)
{
    const int links = movingLinkCount(session);
    const int pairs = session.ParaCount;
    return {links, pairs, 3 * links - 2 * pairs};
}

QString summaryHtml(const Session& session, const QString& title, const QString& diagramSource)
{
    const Mobility m = countMobility(session);

    Page page;
    const QString heading = QStringLiteral("Паспорт механизма") +
                            (title.isEmpty() ? QString() : QStringLiteral(" «") + esc(title) + QStringLiteral("»"));
    page.html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>") + heading +
                QStringLiteral("</title></head><body>\n<h1>") + heading + QStringLiteral("</h1>\n");
    page.paragraph(QStringLiteral("Стойка: ") + esc(countedFrameName(session)) + QStringLiteral(". Силовой расчёт: ") +
                   yesNo(forceAnalysis(session)) + QStringLiteral(". Дополнительные точки: ") +
                   yesNo(morePoints(session)) + u'.');
    page.paragraph(QStringLiteral("Число степеней свободы: W = 3·n − 2·p = 3·") + QString::number(m.links) +
                   QStringLiteral(" − 2·") + QString::number(m.pairs) + QStringLiteral(" = ") + QString::number(m.W) +
                   QStringLiteral(" (n — подвижные звенья, p — кинематические пары)."));
    // The structure diagram: an SVG inside the page itself, or an image the document was given.
    const QString source = diagramSource.isEmpty()
                               ? QStringLiteral("data:image/svg+xml;base64,") +
                                     QString::fromLatin1(diagramSvg(buildDiagram(session)).toBase64())
                               : diagramSource;
    page.html += QStringLiteral("<h2>Схема механизма</h2>\n<p><img alt=\"Схема механизма\" src=\"") + source +
                 QStringLiteral("\"></p>\n");
    pairsTable(page, session);
    linksTables(page, session);
    groupsTable(page, session);
    extraPairsTable(page, session);
    pointsTable(page, session);
    page.paragraph(page.unset == 0 ? QStringLiteral("Все значения заданы.")
                                   : QStringLiteral("Не задано значений: ") + QString::number(page.unset) + u'.');
    return page.html + QStringLiteral("</body></html>\n");
}

void printSummary(const Session& session, const QString& title, QPagedPaintDevice& device)
{
    // A text document draws no SVG: the diagram goes in as a picture, drawn by the same painter.
    const DiagramModel model = buildDiagram(session);
    const QSizeF size = layoutGeometry(model, QRectF(0, 0, 480, 320)).size;
    QImage picture(size.toSize() * 2, QImage::Format_ARGB32);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        paintDiagram(painter, model, QRectF(QPointF(0, 0), size));
    }
    const QString source = QStringLiteral("zuvrack-diagram.png");
    QTextDocument document;
    // The tables a little smaller than the text, so that the links' nine columns keep their words
    // whole on an A4 page.
    document.setDefaultStyleSheet(QStringLiteral("th, td { font-size: 8pt; }"));
    document.addResource(QTextDocument::ImageResource, QUrl(source), picture);
    document.setHtml(summaryHtml(session, title, source));
    document.print(&device);
}

bool writeSummaryFile(const Session& session, const QString& title, const QString& path)
{
    QByteArray bytes;
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        bytes = summaryHtml(session, title).toUtf8();
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(QStringLiteral("Паспорт механизма ") + title);
        printSummary(session, title, pdf);
    }
    // As every save: all of it on the disk, or the older file stays.
    QSaveFile file(path);
    return prepareSaveFile(file, bytes) && file.commit();
}
