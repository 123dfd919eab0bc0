 Select Max(Serial_Qel) as Serial_Max                       
 From   Account_Qel_AA                                      
 Where  Date_Day = '2001-05-30'                             
