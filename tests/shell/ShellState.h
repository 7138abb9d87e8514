#pragma once
// A fresh program folder for the shell's tests, with the shared globals put
// back to their start values before and after each test.
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The eighteen table-file globals and their file names, in order.
inline const std::pair<const String*, const char*> Shell_Table_Files[] = {
    {&File_ParGen, "ParGen.xml"},
    {&File_IOLink_SetAccess, "IOLink_SetAccess.xml"},
    {&File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&File_BACnet_Slave_SetAccess, "BACnet_Slave_SetAccess.xml"},
    {&File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&File_PDO_CANopen, "PDO_CANopen.xml"},
    {&File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
    {&File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
    {&File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
    {&File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
    {&File_SNMP_Trap, "SNMP_Trap.xml"},
    {&File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
    {&File_NMEA_0183_Set_Access, "NMEA_0183_Set_Access.xml"},
    {&File_EtherCAT_Slave, "EtherCAT_Slave.xml"},
};

inline void ResetShellGlobals()
{
    Name_Project.clear();
    Path_Project.clear();
    Last_IP_Address = QString::fromLatin1(C_Default_IP_Address);
    Language_Name = QString::fromLatin1(C_Default_Language);
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
    Lang.Clear();
    Lang_Count = 0;
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ResetShellGlobals();
        Set_Program_Folders(Dir.path());
    }
    void TearDown() override
    {
        ResetShellGlobals();
    }
    QTemporaryDir Dir;
};
