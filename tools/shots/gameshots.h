#pragma once
// The screens of the seven games for kioku_shots, each in the states a player
// meets: opened, counting down, playing, judged.
namespace kioku::shots {

class Shooter;
struct Context;

void shootNumberMemory(Shooter &shots, Context &c);
void shootImageMemory(Shooter &shots, Context &c);
void shootTimeLag(Shooter &shots, Context &c);
void shootCycle(Shooter &shots, Context &c);
void shootScrambled(Shooter &shots, Context &c);
void shootTracking(Shooter &shots, Context &c);
void shootIconConcentration(Shooter &shots, Context &c);

} // namespace kioku::shots
