#include "platform/WorkerFailure.h"

#include "platform/ErrorHandler.h"

void WorkerFailure::run(const std::function<void()> &work) noexcept
{
    try {
        work();
    } catch (...) {
        m_error = std::current_exception();
    }
}

void WorkerFailure::raise() const
{
    if (!m_error)
        return;
    try {
        std::rethrow_exception(m_error);
    } catch (const CartlingError &) {
        throw;
    } catch (const std::exception &error) {
        throw CartlingError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        throw CartlingError(QStringLiteral("An unknown error stopped work in the background."));
    }
}

void WorkerFailure::raiseFatal() const
{
    try {
        raise();
    } catch (const FatalError &) {
        throw;
    } catch (const CartlingError &error) {
        throw FatalError(error.text());
    }
}
