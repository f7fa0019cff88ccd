#include "AsisRutinasApoyo.h"

namespace {

QString takeToken(QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        QString whole = text;
        text.clear();
        return whole;
    }
    QString token = text.left(at);
    text.remove(0, at + 1);
    return token;
}

}  // namespace

QString TakeCommaToken(QString& text)
{
    return takeToken(text, u',');
}

QString TakeSemicolonToken(QString& text)
{
    return takeToken(text, u';');
}
