#include "studio/scene/load_report.h"

namespace {
thread_local LoadWarningCollector* current = nullptr;
}

LoadWarningCollector::LoadWarningCollector() : outer(current) { current = this; }

LoadWarningCollector::~LoadWarningCollector() { current = outer; }

void ReportLoadWarning(const std::string& text) {
    if (current) current->warnings.push_back(text);
}
