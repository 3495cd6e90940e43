// The C routines a host hands to a plug-in. Each one finds the host whose
// plug-in call is under way, counts the call, applies any planned fault and
// otherwise passes the call on to the host. A routine that gives something
// back (disposes, frees, closes, releases) still does so when a fault is
// planned for it; only its reply reports the failure.
#pragma once

#include "app/filter_host.h"
#include "interface/filter_record.h"

struct HostRoutineTables {
    BufferProcs* bufferProcs;
    HandleProcs* handleProcs;
    PropertyProcs* propertyProcs;
    ReadDescriptorProcs* readProcs;
    WriteDescriptorProcs* writeProcs;
    SPBasicSuite* basicSuite;
};

// Fills the tables and the direct routines of the record.
void InstallHostRoutines(FilterRecord* record, const HostRoutineTables& tables);
// The descriptor parameter procs and the basic suite, through which the
// registry and action descriptor suites are reached.
void InstallScriptingRoutines(ReadDescriptorProcs* readProcs, WriteDescriptorProcs* writeProcs,
                              SPBasicSuite* basicSuite);

// Entry of every routine. host is null when no plug-in call is under way;
// fail is set then too, and when a fault is planned for this call.
struct RoutineCall {
    FilterHost* host;
    bool fail;
};

inline RoutineCall EnterRoutine(HostCallback callback) {
    FilterHost* host = FilterHost::Active();
    return {host, host == nullptr || host->faults().Hit(callback)};
}
