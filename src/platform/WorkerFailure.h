#pragma once

#include <exception>
#include <functional>

// What work on another thread raised, caught there and carried to the window's thread: an exception that leaves a
// thread ends the program on the spot, with nothing shown and status 134.
class WorkerFailure
{
public:
    // Runs the work on the calling thread and keeps whatever it raises.
    void run(const std::function<void()> &work) noexcept;
    bool failed() const { return bool(m_error); }
    // On the window's thread, once the worker has ended: raises the kept error again as a CartlingError (a
    // FatalError stays one, another exception becomes one with its text); nothing when the work went through.
    void raise() const;
    // The same with every error a FatalError: for work whose failure leaves the program nothing sound to go on with.
    void raiseFatal() const;

private:
    std::exception_ptr m_error;
};
