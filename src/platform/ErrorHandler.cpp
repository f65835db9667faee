#include "platform/ErrorHandler.h"

#include "platform/Messages.h"

void reportError(const CartlingError &error)
{
    messages().error(error.text());
}
