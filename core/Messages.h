#pragma once
#include <QString>

#include <functional>

// Every message box of the desktop program goes through ShowMessage. The program installs a
// handler that shows a Qt message box titled with the application's title; tests install
// one that records the text and scripts the answer. Core never includes a widget header.
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

using MessageHandler = std::function<MessageAnswer(const QString& text, MessageButtons buttons)>;

// Replaces the handler; returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows text with the given buttons and answers which was pressed. Without a handler the
// text goes to standard error and the answer is Ok.
MessageAnswer ShowMessage(const QString& text, MessageButtons buttons = MessageButtons::Ok);
