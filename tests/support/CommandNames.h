#pragma once

// The screens' command buttons by what they do, named once here; their object
// names are the ones the screens have always had.
namespace TrackerCommand {
inline constexpr char Exit[] = "Command1";
inline constexpr char ViewExisting[] = "Command2";
// The Weight Tracker's View Plan, the Blood Pressure Tracker's chart.
inline constexpr char PlanOrChart[] = "Command3";
inline constexpr char ViewLog[] = "Command4";
inline constexpr char Graph[] = "Command5";
inline constexpr char Create[] = "Command7";
inline constexpr char Delete[] = "Command8";
inline constexpr char PrintOptions[] = "Command9";
inline constexpr char Save[] = "Command10";
// The Weight Tracker's plan panel: Save New File while creating.
inline constexpr char SaveNewFile[] = "Command11";
} // namespace TrackerCommand

namespace KeeperCommand {
inline constexpr char Exit[] = "Command1";
inline constexpr char Save[] = "Command2";
inline constexpr char PrintOptions[] = "Command3";
inline constexpr char Delete[] = "Command4";
inline constexpr char NewFile[] = "Command5";
inline constexpr char Launch[] = "Command6";
} // namespace KeeperCommand
