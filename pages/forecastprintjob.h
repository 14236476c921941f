#pragma once

#include "readingprintjob.h"

#include "engine/forecast.h"

#include <optional>

namespace quadrivium {

/// The forecast report of the subject's day. Options: 0x1 the graphic page
/// (the numbers, the months row, the challenges and the karmic lessons),
/// 0x2 the introduction, then 0x4000 personal year, 0x8000 personal month,
/// 0x10000 personal day, 0x20000 challenges and 0x40000 karmic lessons,
/// each with its introduction.
class CForecastPrintJob : public CReadingPrintJob {
public:
    CForecastPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                      QString textDatabase);

protected:
    void ComposeContent() override;
    void PrintGraphicPage(CPrintSurface &surface) override;

private:
    std::optional<Forecast> m_forecast;
};

} // namespace quadrivium
