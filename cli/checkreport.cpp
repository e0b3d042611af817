#include "cli/checkreport.h"

#include "html/findingcodes.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace tavlo {

namespace {

// Raised when a reader of the JSON form would have to change.
constexpr int jsonVersion = 1;

QString level(const Finding& f)
{
    return levelName(f.severity);
}

// GitHub's workflow commands end a value at a line break, and a property also at
// "," and ":".
QString githubEscaped(const QString& text, bool property)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('%'))
            out += QStringLiteral("%25");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("%0D");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("%0A");
        else if (property && c == QLatin1Char(':'))
            out += QStringLiteral("%3A");
        else if (property && c == QLatin1Char(','))
            out += QStringLiteral("%2C");
        else
            out += c;
    }
    return out;
}

QByteArray json(const QList<CheckedFile>& files)
{
    QJsonArray all;
    for (const CheckedFile& file : files) {
        for (const Finding& f : file.findings)
            all.append(QJsonObject{
                {QStringLiteral("file"), file.name},
                {QStringLiteral("line"), f.line},
                {QStringLiteral("column"), f.column},
                {QStringLiteral("severity"), level(f)},
                {QStringLiteral("message"), f.message},
                {QStringLiteral("code"), QString::fromLatin1(f.code)},
                {QStringLiteral("version"), jsonVersion},
            });
    }
    return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

QByteArray sarif(const QList<CheckedFile>& files)
{
    QJsonArray rules;
    for (const FindingCode& c : findingCodes())
        rules.append(QJsonObject{
            {QStringLiteral("id"), QString(c.code)},
            {QStringLiteral("shortDescription"),
             QJsonObject{{QStringLiteral("text"), QString(c.description)}}},
            {QStringLiteral("defaultConfiguration"),
             QJsonObject{{QStringLiteral("level"), QString(levelName(c.level))}}},
        });
    QJsonArray results;
    const QDir here = QDir::current();
    for (const CheckedFile& file : files) {
        const QString relative = QDir::fromNativeSeparators(here.relativeFilePath(file.name));
        const QString uri = QString::fromLatin1(QUrl::toPercentEncoding(relative, "/"));
        for (const Finding& f : file.findings) {
            QJsonObject result{
                {QStringLiteral("ruleId"), QString::fromLatin1(f.code)},
                {QStringLiteral("level"), level(f)},
                {QStringLiteral("message"), QJsonObject{{QStringLiteral("text"), f.message}}},
                {QStringLiteral("locations"),
                 QJsonArray{QJsonObject{
                     {QStringLiteral("physicalLocation"),
                      QJsonObject{
                          {QStringLiteral("artifactLocation"),
                           QJsonObject{{QStringLiteral("uri"), uri}}},
                          {QStringLiteral("region"),
                           QJsonObject{{QStringLiteral("startLine"), std::max(f.line, 1)},
                                       {QStringLiteral("startColumn"), std::max(f.column, 1)}}},
                      }}}}},
            };
            const auto codes = findingCodes();
            const auto rule = std::find_if(codes.begin(), codes.end(), [&](const FindingCode& c) {
                return c.code == QLatin1StringView(f.code);
            });
            if (rule != codes.end())
                result.insert(QStringLiteral("ruleIndex"), int(rule - codes.begin()));
            results.append(result);
        }
    }
    const QJsonObject driver{
        {QStringLiteral("name"), QStringLiteral("tavlo-map")},
        {QStringLiteral("version"), QStringLiteral(TAVLO_VERSION)},
        {QStringLiteral("rules"), rules},
    };
    const QJsonObject log{
        {QStringLiteral("$schema"),
         QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json")},
        {QStringLiteral("version"), QStringLiteral("2.1.0")},
        {QStringLiteral("runs"),
         QJsonArray{QJsonObject{
             {QStringLiteral("tool"), QJsonObject{{QStringLiteral("driver"), driver}}},
             {QStringLiteral("results"), results},
         }}},
    };
    return QJsonDocument(log).toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<ReportFormat> reportFormatNamed(const QString& name)
{
    if (name == QLatin1String("text"))
        return ReportFormat::Text;
    if (name == QLatin1String("json"))
        return ReportFormat::Json;
    if (name == QLatin1String("sarif"))
        return ReportFormat::Sarif;
    if (name == QLatin1String("github"))
        return ReportFormat::Github;
    return std::nullopt;
}

QByteArray reportLines(ReportFormat format, const CheckedFile& file)
{
    QString out;
    for (const Finding& f : file.findings) {
        if (format == ReportFormat::Text)
            out += findingLine(file.name, f) + QLatin1Char('\n');
        else if (format == ReportFormat::Github)
            // Joined, not formatted: names and messages may hold "%1".
            out += QStringLiteral("::") + level(f) + QStringLiteral(" file=") +
                   githubEscaped(file.name, true) + QStringLiteral(",line=") +
                   QString::number(f.line) + QStringLiteral(",col=") + QString::number(f.column) +
                   QStringLiteral(",title=") + githubEscaped(QString::fromLatin1(f.code), true) +
                   QStringLiteral("::") + githubEscaped(f.message, false) + QLatin1Char('\n');
    }
    return out.toUtf8();
}

QByteArray reportDocument(ReportFormat format, const QList<CheckedFile>& files)
{
    if (format == ReportFormat::Json)
        return json(files);
    if (format == ReportFormat::Sarif)
        return sarif(files);
    return {};
}

} // namespace tavlo
