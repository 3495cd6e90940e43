#include "host/user_interface_seams.h"

UserInterfaceSeams& Seams() {
    static UserInterfaceSeams seams;
    return seams;
}
