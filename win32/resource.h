// Numbers of the program's resources, shared by the resource script and the code.
#define IDI_QUINDRA 1
#define IDC_POINTER 2
#define IDB_ABOUT 3
#define IDB_COMANDI 4
// "Gioca in rete" and its controls.
#define IDD_RETE 10
#define IDC_OSPITA 1001
#define IDC_PORTA_OSPITA 1002
#define IDC_UNISCITI 1003
#define IDC_INDIRIZZO 1004
#define IDC_PORTA 1005
#define IDC_STATO 1006
#define IDC_AVVIA 1007
