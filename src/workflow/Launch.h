#pragma once
// Starting a coroutine that nobody waits for.

#include <QCoroTask>

namespace vantrel {

// Runs the task to its end; whatever it throws is dropped, since nobody is
// there to hear it (operations report their failures in the model's slots).
void launch(QCoro::Task<> task);
// The same for an operation whose result only an awaiting caller would read.
void launch(QCoro::Task<bool> task);

} // namespace vantrel
