#pragma once

#include <QString>
#include <concepts>
#include <exception>
#include <functional>
#include <utility>

// An error of the program's run-time (a refused settings write, a file that cannot be created).
// It ends the handler that raised it; the error handler shows its text.
class CartlingError : public std::exception
{
public:
    explicit CartlingError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// An error the program cannot work past (the ZIP library cannot be used, the start-up reading failed): reported,
// it ends the run as endRun does.
class FatalError : public CartlingError
{
public:
    using CartlingError::CartlingError;
};

// Shows an error in a message box captioned "Cartling"; a FatalError then ends the run.
void reportError(const CartlingError &error);

// Shows the error, then ends the run with exit status 1 without closing the windows, so that nothing of a run that
// could not work is saved. A second such error while the first one's message is shown adds nothing.
void endRun(const QString &text);
// Tests hear the exit status instead of the event loop ending; nullptr puts the real ending back.
void setRunEnd(std::function<void(int status)> end);

// Wraps an event handler: a CartlingError raised inside it is shown and ends that handler only.
// Every user handler is connected through this, so no exception ever crosses Qt's own frames.
template <typename F> auto guarded(F handler)
{
    return [handler = std::move(handler)](auto &&...args) requires std::invocable<const F &, decltype(args)...>
    {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (const CartlingError &error) {
            reportError(error);
        }
    };
}
