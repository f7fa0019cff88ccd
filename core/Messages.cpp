#include "Messages.h"

#include <cstdio>

namespace {
MessageHandler& currentHandler()
{
    static MessageHandler handler;
    return handler;
}
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

MessageAnswer ShowMessage(const QString& text, MessageButtons buttons)
{
    if (currentHandler())
        return currentHandler()(text, buttons);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return MessageAnswer::Ok;
}
