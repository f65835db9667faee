#pragma once

#include <QString>
#include <concepts>
#include <exception>
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

// Shows an error in a message box captioned "Cartling".
void reportError(const CartlingError &error);

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
