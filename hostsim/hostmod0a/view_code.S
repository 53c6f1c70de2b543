/* Host module 0x0A: the host's view code. Each view asks the aircraft table which aircraft it
   shows, by calling slot 0x70 of the table that the word at ViewSystem + 0x64 points to. A
   module that redirects the table tells the callers apart by their return addresses, so the
   tower view's call returns to image base + 0x2CE3 and the follow view's to base + 0x980F.
   This file is the only code in the DLL (linked without start files), so .text starts at RVA
   0x1000 and .org offsets here are RVA - 0x1000 (the integration tests check the result). The
   assembler stops with an error if code before an .org grows past it. */
#define TEXT_RVA 0x1000
#define TOWER_RETURN_RVA 0x2CE3
#define FOLLOW_RETURN_RVA 0x980F
#define TABLE_WORD 0x64
#define VIEWED_AIRCRAFT_SLOT 0x70
#define SLOT_CALL_BYTES 3 /* ff 50 70: call *0x70(%eax) */
#define TRAP 0xCC
#define VIEW_SYSTEM_BYTES 0x100

    .text

    .globl _HostModuleEntry@12
_HostModuleEntry@12:
    movl $1, %eax
    ret $12

/* The cockpit view reads its aircraft the same way from an ordinary address; it must always
   get the user's aircraft. */
    .globl _CockpitViewAircraft
_CockpitViewAircraft:
    movl _ViewSystem + TABLE_WORD, %eax
    call *VIEWED_AIRCRAFT_SLOT(%eax)
    ret

    .globl _TowerViewAircraft
_TowerViewAircraft:
    movl _ViewSystem + TABLE_WORD, %eax
    jmp tower_call
    .org TOWER_RETURN_RVA - TEXT_RVA - SLOT_CALL_BYTES, TRAP
tower_call:
    call *VIEWED_AIRCRAFT_SLOT(%eax)
    ret

    .globl _FollowViewAircraft
_FollowViewAircraft:
    movl _ViewSystem + TABLE_WORD, %eax
    jmp follow_call
    .org FOLLOW_RETURN_RVA - TEXT_RVA - SLOT_CALL_BYTES, TRAP
follow_call:
    call *VIEWED_AIRCRAFT_SLOT(%eax)
    ret

/* The export the host names at core interface +0xDA8. The host writes the table pointer. */
    .data
    .globl _ViewSystem
    .balign 16
_ViewSystem:
    .space VIEW_SYSTEM_BYTES

    .section .drectve
    .ascii " -export:ViewSystem,data"
    .ascii " -export:TowerViewAircraft"
    .ascii " -export:FollowViewAircraft"
    .ascii " -export:CockpitViewAircraft"
