// Numbers of the program's resources, shared by the resource script and the code.
#define IDI_QUINDRA 1
#define IDC_POINTER 2
#define IDB_ABOUT 3
#define IDB_COMANDI 4
