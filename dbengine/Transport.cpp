#include "dbengine/Transport.h"

#include "framework/Exceptions.h"

void Transport::StartTls() {
  throw EDatabaseError("TLS is not available on this connection");
}
