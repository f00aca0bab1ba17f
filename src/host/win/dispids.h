#pragma once
// The host's dispatch ids, shared by the adapter and the simulated host for Windows.

namespace kelmar::host::win::dispid {

inline constexpr const wchar_t* kProgId = L"ORVAPI.Application";
inline constexpr const char* kWindowClass = "TessarinORVELANWndClass";

namespace application {
inline constexpr long ActivePartProgram = 2;
inline constexpr long DisplayFlag = 8;
inline constexpr long ApplicationEvents = 27;
inline constexpr long MajorVersion = 29;
inline constexpr long MinorVersion = 30;
inline constexpr long AdminFlag = 56;
}  // namespace application

namespace part_program {
inline constexpr long Name = 0;
inline constexpr long PartName = 1;
inline constexpr long Path = 2;
inline constexpr long RevisionNumber = 3;
inline constexpr long SerialNumber = 4;
inline constexpr long FullName = 5;
inline constexpr long Commands = 11;
}  // namespace part_program

namespace commands {
inline constexpr long Count = 3;
inline constexpr long PrepareCommand = 5;
}  // namespace commands

namespace command {
inline constexpr long Id = 3;
inline constexpr long Type = 6;
inline constexpr long DimensionData = 8;
inline constexpr long DecimalSetting = 10;
inline constexpr long IsDimension = 17;
inline constexpr long IsMarked = 21;
inline constexpr long Comment = 53;
inline constexpr long IsComment = 54;
inline constexpr long Statistics = 55;
inline constexpr long IsStatistics = 56;
inline constexpr long TraceField = 57;
inline constexpr long IsTraceField = 58;
inline constexpr long GetFieldValue = 102;
inline constexpr long GetFieldInt = 104;
}  // namespace command

namespace decimal_setting {
inline constexpr long Places = 2;
}

namespace dimension {
inline constexpr long Deviation = 3;
inline constexpr long Id = 5;
inline constexpr long Feature1 = 6;
inline constexpr long Feature2 = 7;
inline constexpr long Feature3 = 8;
inline constexpr long Nominal = 10;
inline constexpr long Measured = 12;
inline constexpr long MinusTol = 14;
inline constexpr long PlusTol = 15;
inline constexpr long OutTol = 16;
inline constexpr long Mode = 22;
inline constexpr long UnitCode = 25;
inline constexpr long AxisText = 29;
inline constexpr long IsLocationAxis = 30;
inline constexpr long IsPositionAxis = 31;
}  // namespace dimension

namespace comment {
inline constexpr long CommentType = 1;
inline constexpr long Line = 5;
}

namespace statistics {
inline constexpr long State = 1;
inline constexpr long Text = 7;
}

namespace trace_field {
inline constexpr long Name = 1;
inline constexpr long Value = 2;
}

}  // namespace kelmar::host::win::dispid
