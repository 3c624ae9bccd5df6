#pragma once
// How an event reads in the CSV event column and in the event list.
#include <string>

#include "record/RecordFormat.h"

// For a poll: what went wrong ("нет ответа", ...), empty for a good reply.
std::string PollEventText(const recfile::Record& poll);
// For any other record: "метка 3: текст", "команда 0A 1B: подтверждена", ...
std::string EventText(const recfile::Record& record, int family);
