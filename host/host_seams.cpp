#include "host/host_seams.h"

HostSeams& Seams() {
    static HostSeams seams;
    return seams;
}
