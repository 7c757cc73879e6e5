#ifndef GEOFRAME_SRC_PROJECTION_PROJCREATION_H
#define GEOFRAME_SRC_PROJECTION_PROJCREATION_H

#include <mutex>
#include <string_view>

namespace geoframe::detail {

/// PROJ 9 races inside itself when objects are made on several threads at once,
/// even with one context per thread (seen with lists it refuses). Everything in
/// the library that makes PROJ objects (projectors, CRSs, operations) holds this
/// process-wide lock while it does; converting points never takes it.
std::mutex& ProjCreationMutex();

/// The reason in a message PROJ logs, without PROJ's frame around it: the name
/// of the function ("proj_create: ", "pj_init_ctx: ") and the error number with
/// its class ("Error 1027 (Invalid value for an argument): ") go.
std::string_view ProjMessageReason(std::string_view message);

/// A PROJ log function (proj_log_func) whose `target` is a std::string: keeps the
/// reason of the first message while the string is empty (PROJ's follow-ups say
/// less) and prints nothing. The caller clears the string before each call it
/// listens to.
void KeepFirstMessage(void* target, int level, const char* message);

} // namespace geoframe::detail

#endif
