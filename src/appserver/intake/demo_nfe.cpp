#include "appserver/intake/demo_nfe.h"

#include "appserver/intake/nfe_intake.h"

namespace dfe::appserver {

std::vector<std::string> StoreDemoNfe(db::Database& db) {
    std::vector<std::string> lines;
    for (const EmbeddedFile& file : EmbeddedDemoNfeFiles()) {
        const intake::IntakeResult result = intake::IntakeNfe(db, file.content, file.name);
        lines.push_back(intake::DescribeIntake(file.name, result));
    }
    return lines;
}

} // namespace dfe::appserver
